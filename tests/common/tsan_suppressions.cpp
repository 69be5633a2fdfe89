// Debian's Qt and GLib are not built with ThreadSanitizer, so the locks and atomics inside them
// (QMutex and QWaitCondition on futexes, the event dispatcher published to other threads) are
// invisible to it: the event queue that a transport thread posts to, the wake-up of the event
// loop, and the test library's watchdog look racy from outside.
// Ignore the memory accesses that Qt's own code makes through the intercepted functions; every
// access of our code is still checked.
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt5Core.so.5\n"
           "called_from_lib:libQt5Test.so.5\n"
           "called_from_lib:libglib-2.0.so.0\n";
}
