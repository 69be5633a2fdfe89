// velquin-uhid: plugs the virtual Velquin Plus into the Linux kernel through /dev/uhid, so that
// the app (or any hidraw user) sees a real kernel HID device. Runs until SIGINT or SIGTERM, then
// unplugs the device. Commands on standard input emit switch-like input; see usage().

#include "uhiddevice.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

void usage(FILE* out)
{
    std::fprintf(
        out, "Usage: velquin-uhid [--noise] [--verbose] [--device PATH]\n"
             "Presents the virtual Velquin Plus (Bluetooth, 08E6:0001) to the kernel through\n"
             "/dev/uhid until interrupted (Ctrl+C or SIGTERM unplugs it).\n"
             "  --noise      press a switch (key and mouse reports) at the start, middle and\n"
             "               end of every answer to a configuration read\n"
             "  --verbose    log every event of the kernel and every report\n"
             "  --device     the uhid node (default /dev/uhid)\n"
             "Commands on standard input, one per line:\n"
             "  key [USAGE [MODIFIERS]]   press and release a key (HID usage, default 0x04: A)\n"
             "  mouse DX DY [BUTTONS]     move the pointer (and click BUTTONS, bit 0 left)\n"
             "  click                     press and release the left button\n"
             "  unplug | plug             take the device off the bus or put it back\n"
             "  noise on|off              as --noise\n"
             "  status                    counters of the device\n"
             "  quit                      unplug and exit\n");
}

void say(const std::string& text)
{
    std::fprintf(stderr, "velquin-uhid: %s\n", text.c_str());
}

bool number(std::istringstream& in, long& value, long min, long max)
{
    std::string word;
    if (!(in >> word))
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(word.c_str(), &end, 0);
    return errno == 0 && end && *end == '\0' && value >= min && value <= max;
}

// Returns false when the tool should exit.
bool command(UhidDevice& device, const std::string& line)
{
    std::istringstream in(line);
    std::string verb;
    if (!(in >> verb))
        return true;
    long a = 0, b = 0, c = 0;
    bool ok = true;
    if (verb == "key") {
        long usage = 0x04, modifiers = 0;
        if (number(in, a, 0, 255)) {
            usage = a;
            if (number(in, b, 0, 255))
                modifiers = b;
        }
        ok = device.emit_key(static_cast<uint8_t>(usage), static_cast<uint8_t>(modifiers));
    } else if (verb == "mouse") {
        if (!number(in, a, -127, 127) || !number(in, b, -127, 127)) {
            say("mouse needs DX and DY from -127 to 127");
            return true;
        }
        if (!number(in, c, 0, 7))
            c = 0;
        ok = device.emit_mouse(static_cast<int8_t>(a), static_cast<int8_t>(b),
                               static_cast<uint8_t>(c));
    } else if (verb == "click") {
        ok = device.emit_mouse(0, 0, 1);
    } else if (verb == "unplug") {
        ok = device.unplug();
    } else if (verb == "plug") {
        ok = device.plug();
    } else if (verb == "noise") {
        std::string on;
        in >> on;
        device.set_noise(on == "on");
    } else if (verb == "status") {
        const UhidDevice::Counters k = device.counters();
        const SimDevice::Stats s = device.sim_stats();
        std::ostringstream text;
        text << (device.plugged() ? "plugged" : "unplugged") << "; read requests "
             << s.read_requests << ", writes " << s.writes_applied << ", restores " << s.restores
             << ", input reports " << k.inputs_sent << ", GET/SET_REPORT refused "
             << k.get_reports_refused << "/" << k.set_reports_refused;
        say(text.str());
    } else if (verb == "quit") {
        return false;
    } else {
        say("unknown command: " + verb);
    }
    if (!ok)
        say(verb + " failed" + (device.plugged() ? "" : ": the device is unplugged"));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    bool noise = false, verbose = false;
    const char* path = "/dev/uhid";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--noise") {
            noise = true;
        } else if (arg == "--verbose" || arg == "-v") {
            verbose = true;
        } else if (arg == "--device" && i + 1 < argc) {
            path = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            usage(stdout);
            return 0;
        } else {
            usage(stderr);
            return 2;
        }
    }

    // The signals arrive through a descriptor, so the loop unplugs the device before exiting.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0) {
        say(std::string("cannot block signals: ") + std::strerror(errno));
        return 1;
    }
    const int signal_fd = signalfd(-1, &signals, SFD_CLOEXEC);
    if (signal_fd < 0) {
        say(std::string("signalfd failed: ") + std::strerror(errno));
        return 1;
    }
    std::signal(SIGPIPE, SIG_IGN);

    UhidDevice device;
    std::string error;
    if (!device.open(error, path)) {
        say(error);
        return 1;
    }
    device.set_noise(noise);
    if (verbose)
        device.set_logger(say);
    if (!device.plug()) {
        say("the kernel refused the device");
        return 1;
    }
    say("Velquin Plus plugged in (Bluetooth, 08E6:0001); Ctrl+C unplugs it");

    std::string pending;
    pollfd fds[3] = {{device.fd(), POLLIN, 0}, {signal_fd, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    int status = 0;
    for (bool running = true; running;) {
        const int ready = ::poll(fds, 3, device.poll_timeout_ms());
        device.send_due();
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            say(std::string("poll failed: ") + std::strerror(errno));
            status = 1;
            break;
        }
        if (fds[1].revents & POLLIN) {
            signalfd_siginfo info{};
            if (::read(signal_fd, &info, sizeof info) > 0)
                say(std::string("caught ") + strsignal(static_cast<int>(info.ssi_signo)));
            break;
        }
        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
            say("the uhid node failed");
            status = 1;
            break;
        }
        if ((fds[0].revents & POLLIN) && !device.dispatch()) {
            status = 1;
            break;
        }
        if (device.counters().bootloader) {
            say("bootloader request: the device left the bus");
            break;
        }
        if (fds[2].revents & (POLLIN | POLLHUP | POLLERR)) {
            char buffer[512];
            const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (got <= 0) {
                fds[2].fd = -1; // end of input: keep running until a signal
                continue;
            }
            pending.append(buffer, static_cast<std::size_t>(got));
            for (std::size_t end; running && (end = pending.find('\n')) != std::string::npos;) {
                running = command(device, pending.substr(0, end));
                pending.erase(0, end + 1);
            }
        }
    }
    if (!device.unplug()) {
        say("unplugging failed");
        status = 1;
    } else {
        say("unplugged");
    }
    ::close(signal_fd);
    return status;
}
