// Starts a program and reports how long it took until a top-level window with a given name was mapped on the X
// display and until its first paint reached the server, and the program's resident memory then and a little later.
//
//   tavenzo_map_timer WINDOW_NAME TIMEOUT_MS SETTLE_MS PROGRAM [ARGS...]
//
// Prints one line:
//   "mapped_ms=<ms> painted_ms=<ms> cpu_ms=<ms> faults=<n> rss_paint_kib=<kib> rss_settled_kib=<kib>"
// or exits 1 on timeout. cpu_ms, faults and rss_paint_kib are read at the first paint: the CPU time all the
// program's threads had used, which a busy machine inflates far less than the wall-clock time, and their page
// faults. Without the DAMAGE extension the first paint cannot be seen; painted_ms is then -1 and the rest is read at
// the map.
// Listening for MapNotify on the root window sees the map the moment the server performs it, unlike polling with a
// window search, whose sleep between tries would be larger than what is measured. The first paint is the first
// drawing into the window that the DAMAGE extension reports: the toolkit creates its windows without a background,
// so the server draws nothing into them itself, and the first drawing is the program's flushed paint.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <dirent.h>
#include <dlfcn.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

double nowMs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

long residentKib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// CPU time of all the program's threads so far, from the scheduler's own accounting (nanoseconds).
double cpuMs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    double total = 0;
    if (DIR* dir = opendir(tasks.c_str())) {
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.') {
                continue;
            }
            std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
            double ns = 0;
            if (stat >> ns) {
                total += ns / 1e6;
            }
        }
        closedir(dir);
    }
    return total;
}

// Minor and major page faults of the program so far (fields 10 and 12 of /proc/PID/stat). Each one costs the kernel
// some microseconds, far more on some virtual machines, so their number says much about start-up cost.
long pageFaults(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) {
        return -1;
    }
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long minor = 0;
    long major = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 10) {
            minor = std::atol(field.c_str());
        } else if (index == 12) {
            major = std::atol(field.c_str());
            break;
        }
    }
    return minor + major;
}

// The few calls of libXdamage used here, looked up at run time: the machine has the library (the toolkit's own
// dependencies bring it) but not necessarily its headers. Their signatures are those of <X11/extensions/Xdamage.h>.
class DamageWatch {
public:
    explicit DamageWatch(Display* display)
        : m_display(display)
    {
        m_library = dlopen("libXdamage.so.1", RTLD_NOW | RTLD_LOCAL);
        if (m_library == nullptr) {
            return;
        }
        auto query = reinterpret_cast<Bool (*)(Display*, int*, int*)>(dlsym(m_library, "XDamageQueryExtension"));
        auto version = reinterpret_cast<Status (*)(Display*, int*, int*)>(dlsym(m_library, "XDamageQueryVersion"));
        m_create = reinterpret_cast<XID (*)(Display*, Drawable, int)>(dlsym(m_library, "XDamageCreate"));
        int errorBase = 0;
        int major = 1;
        int minor = 1;
        m_usable = query != nullptr && version != nullptr && m_create != nullptr
            && query(display, &m_eventBase, &errorBase) != 0 && version(display, &major, &minor) != 0;
    }
    ~DamageWatch()
    {
        if (m_library != nullptr) {
            dlclose(m_library);
        }
    }
    DamageWatch(const DamageWatch&) = delete;
    DamageWatch& operator=(const DamageWatch&) = delete;

    bool usable() const { return m_usable; }
    // One report when the window, so far undrawn, is first drawn into (XDamageReportNonEmpty).
    void watch(Window window)
    {
        if (m_usable) {
            constexpr int kReportNonEmpty = 3;
            m_create(m_display, window, kReportNonEmpty);
        }
    }
    // The window drawn into, when the event is a damage report (XDamageNotifyEvent starts like XAnyEvent).
    bool isDamage(const XEvent& event) const { return m_usable && event.type == m_eventBase; }

private:
    Display* m_display;
    void* m_library = nullptr;
    XID (*m_create)(Display*, Drawable, int) = nullptr;
    int m_eventBase = 0;
    bool m_usable = false;
};

// A window may be gone before its watch reaches the server; that error, like any other, must not end the timer.
int ignoreError(Display* /*display*/, XErrorEvent* /*error*/)
{
    return 0;
}

bool hasName(Display* display, Window window, const char* wanted)
{
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr) {
        return false;
    }
    const bool same = std::strcmp(name, wanted) == 0;
    XFree(name);
    return same;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s WINDOW_NAME TIMEOUT_MS SETTLE_MS PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const char* wanted = argv[1];
    const double timeoutMs = std::atof(argv[2]);
    const int settleMs = std::atoi(argv[3]);

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "cannot open display\n");
        return 2;
    }
    XSetErrorHandler(ignoreError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    DamageWatch damage(display);
    XSync(display, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[4], argv + 4);
        _exit(127);
    }

    double mappedAt = -1;
    double paintedAt = -1;
    Window mapped = None;
    long rss = -1;
    double cpu = -1;
    long faults = -1;
    const auto readProcess = [&] {
        rss = residentKib(child);
        cpu = cpuMs(child);
        faults = pageFaults(child);
    };
    while (mappedAt < 0 || (damage.usable() && paintedAt < 0)) {
        const double left = timeoutMs - (nowMs() - start);
        if (left <= 0) {
            break;
        }
        if (XPending(display) == 0) {
            pollfd fd {ConnectionNumber(display), POLLIN, 0};
            poll(&fd, 1, int(left) + 1);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify) {
            // Watched from its creation, so that no paint can come before the watch; the name is set later.
            damage.watch(event.xcreatewindow.window);
            XFlush(display);
        } else if (event.type == MapNotify && mappedAt < 0 && hasName(display, event.xmap.window, wanted)) {
            mappedAt = nowMs();
            mapped = event.xmap.window;
            if (!damage.usable()) {
                readProcess();
            }
        } else if (damage.isDamage(event) && mapped != None && event.xany.window == mapped && paintedAt < 0) {
            paintedAt = nowMs();
            readProcess();
        }
    }

    long rssSettled = -1;
    if (mappedAt >= 0 && settleMs > 0) {
        usleep(useconds_t(settleMs) * 1000);
        rssSettled = residentKib(child);
    }
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    XCloseDisplay(display);

    if (mappedAt < 0 || (damage.usable() && paintedAt < 0)) {
        std::fprintf(
            stderr, "no window named %s %s within %.0f ms\n", wanted, mappedAt < 0 ? "mapped" : "painted", timeoutMs);
        return 1;
    }
    std::printf("mapped_ms=%.2f painted_ms=%.2f cpu_ms=%.2f faults=%ld rss_paint_kib=%ld rss_settled_kib=%ld\n",
        mappedAt - start, paintedAt < 0 ? -1.0 : paintedAt - start, cpu, faults, rss, rssSettled);
    return 0;
}
