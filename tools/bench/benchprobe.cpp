// A Qt generic plugin that the benchmark loads into the unchanged app and into the baseline with
// "-plugin velquinbench". It prints, to stderr, lines beginning "velquin-bench:":
//   first_frame <ns> CLOCK_MONOTONIC when the window's first frame was swapped;
//   shown <ns>      CLOCK_MONOTONIC when the first frame showing the configuration was swapped
//                   (the first frame at all where the root context has no "device", or with
//                   VELQUIN_BENCH_FIRST_FRAME=1, for starts that show no configuration);
//   idle <ms> frames <n> then one "thread <tid> <early> <cpu ms> <context switches> <name>" line
//                   per thread for the VELQUIN_BENCH_IDLE_MS that follow (default 0: none); <early>
//                   is 1 for a thread without a name of its own that was already running when the
//                   plugin loaded, inside the QGuiApplication constructor: in the app, the HID
//                   layer's threads (and the virtual bus's), which the app starts before it;
//   peak_rss_kib <n> at the end, after which it quits the application.
#include <QGenericPlugin>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

struct thread_times
{
    std::string name;
    double cpu_ms = 0;
    long switches = 0;
};

long long monotonic_ns()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

long status_field(const std::string& status, const std::string& key)
{
    const size_t at = status.find(key + ":");
    return at == std::string::npos ? -1 : std::stol(status.substr(at + key.size() + 1));
}

std::map<int, thread_times> sample_threads()
{
    std::map<int, thread_times> threads;
    const double tick_ms = 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
    DIR* dir = opendir("/proc/self/task");
    if (!dir)
        return threads;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string base = std::string("/proc/self/task/") + entry->d_name;
        const std::string stat = read_file(base + "/stat");
        const std::string status = read_file(base + "/status");
        const size_t close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        thread_times t;
        t.name = stat.substr(stat.find('(') + 1, close - stat.find('(') - 1);
        // After the name: state is field 3; utime and stime are fields 14 and 15.
        std::istringstream rest(stat.substr(close + 2));
        std::string field;
        unsigned long long utime = 0, stime = 0;
        for (int i = 3; i <= 15 && rest >> field; ++i) {
            if (i == 14)
                utime = std::stoull(field);
            if (i == 15)
                stime = std::stoull(field);
        }
        t.cpu_ms = static_cast<double>(utime + stime) * tick_ms;
        t.switches = status_field(status, "voluntary_ctxt_switches") +
                     status_field(status, "nonvoluntary_ctxt_switches");
        threads[std::stoi(entry->d_name)] = t;
    }
    closedir(dir);
    return threads;
}

class probe : public QObject
{
public:
    probe()
    {
        idle_ms_ = qEnvironmentVariableIntValue("VELQUIN_BENCH_IDLE_MS");
        std::string own_name = read_file("/proc/self/comm");
        own_name = own_name.substr(0, own_name.find('\n'));
        for (const auto& entry : sample_threads())
            if (entry.first != getpid() && entry.second.name == own_name)
                early_.insert(entry.first);
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !window_) {
            if (auto* window = qobject_cast<QQuickWindow*>(watched))
                attach(window);
        }
        return false;
    }

private:
    void attach(QQuickWindow* window)
    {
        window_ = window;
        connect(
            window, &QQuickWindow::frameSwapped, this,
            [this] {
                if (!first_frame_.exchange(true))
                    std::fprintf(stderr, "velquin-bench: first_frame %lld\n", monotonic_ns());
            },
            Qt::DirectConnection);
        QQmlEngine* engine = qmlEngine(window);
        device_ =
            engine ? engine->rootContext()->contextProperty("device").value<QObject*>() : nullptr;
        if (!device_ || qEnvironmentVariableIsSet("VELQUIN_BENCH_FIRST_FRAME") ||
            device_->property("config_ready").toBool()) {
            arm();
            return;
        }
        // Queued behind the QML engine's own delivery of the change, which connected first.
        auto* relay = new QTimer(this);
        relay->setSingleShot(true);
        relay->setInterval(0);
        connect(relay, &QTimer::timeout, this, [this] {
            if (device_->property("config_ready").toBool())
                arm();
        });
        connect(device_, SIGNAL(config_ready_changed()), relay, SLOT(start()),
                Qt::QueuedConnection);
    }

    void arm()
    {
        if (armed_)
            return;
        armed_ = true;
        QQuickWindow* window = window_;
        // Render thread, GUI thread blocked: this sync copies the armed state into the scene.
        connect(
            window, &QQuickWindow::beforeSynchronizing, this, [this] { synced_.store(true); },
            Qt::DirectConnection);
        connect(
            window, &QQuickWindow::frameSwapped, this,
            [this] {
                if (synced_.load() && !shown_.exchange(true)) {
                    std::fprintf(stderr, "velquin-bench: shown %lld\n", monotonic_ns());
                    QMetaObject::invokeMethod(
                        this, [this] { measure_idle(); }, Qt::QueuedConnection);
                }
                if (shown_.load())
                    ++frames_;
            },
            Qt::DirectConnection);
        window->update();
    }

    void measure_idle()
    {
        if (idle_ms_ <= 0) {
            finish();
            return;
        }
        before_ = sample_threads();
        frames_.store(0);
        QTimer::singleShot(idle_ms_, this, [this] {
            const std::map<int, thread_times> after = sample_threads();
            std::fprintf(stderr, "velquin-bench: idle %d frames %d\n", idle_ms_, frames_.load());
            for (const auto& entry : after) {
                auto was = before_.find(entry.first);
                const thread_times none;
                const thread_times& b = was == before_.end() ? none : was->second;
                std::fprintf(stderr, "velquin-bench: thread %d %d %.0f %ld %s\n", entry.first,
                             early_.count(entry.first) ? 1 : 0, entry.second.cpu_ms - b.cpu_ms,
                             entry.second.switches - b.switches, entry.second.name.c_str());
            }
            finish();
        });
    }

    void finish()
    {
        std::fprintf(stderr, "velquin-bench: peak_rss_kib %ld\n",
                     status_field(read_file("/proc/self/status"), "VmHWM"));
        std::fflush(stderr);
        QCoreApplication::quit();
    }

    QQuickWindow* window_ = nullptr;
    QObject* device_ = nullptr;
    bool armed_ = false;
    int idle_ms_ = 0;
    std::atomic<bool> synced_{false};
    std::atomic<bool> shown_{false};
    std::atomic<bool> first_frame_{false};
    std::atomic<int> frames_{0};
    std::map<int, thread_times> before_;
    std::set<int> early_;
};

} // namespace

class bench_probe_plugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "benchprobe.json")

public:
    QObject* create(const QString& name, const QString&) override
    {
        if (name.compare(QLatin1String("velquinbench"), Qt::CaseInsensitive) != 0)
            return nullptr;
        return new probe;
    }
};

#include "benchprobe.moc"
