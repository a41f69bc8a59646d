// Start-up time and peak memory of two programs, run alternately (A B A B ...) on the
// X display named by DISPLAY. Start-up runs from just before the program is started to
// the moment the X server first draws into one of its windows, which the DAMAGE extension
// reports without any help from the program. Peak memory is the program's largest
// resident set, from wait4() after it has run on for a moment past its first paint.
//
// Usage: startup_probe [--runs N] [--linger-ms M] <program A> <program B>
// Prints one line per run and a summary with median, min and max, and the ratio B / A.

#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

extern char **environ;

namespace {

// The two DAMAGE requests this probe needs, laid out as the protocol defines them; the
// Debian package with libxcb's generated DAMAGE bindings is not a build dependency.
xcb_extension_t damageExtension = {"DAMAGE", 0};
constexpr std::uint8_t kDamageQueryVersion = 0;
constexpr std::uint8_t kDamageCreate = 1;
constexpr std::uint8_t kReportNonEmpty = 3; // one event when a window first gets drawn on

struct DamageQueryVersionRequest {
    std::uint8_t majorOpcode, minorOpcode;
    std::uint16_t length;
    std::uint32_t clientMajor, clientMinor;
};

struct DamageCreateRequest {
    std::uint8_t majorOpcode, minorOpcode;
    std::uint16_t length;
    std::uint32_t damage, drawable;
    std::uint8_t level, pad[3];
};

template <typename Request>
unsigned SendDamageRequest(xcb_connection_t *c, std::uint8_t opcode, bool isVoid,
                           Request &request) {
    const xcb_protocol_request_t header = {2, &damageExtension, opcode,
                                           std::uint8_t(isVoid ? 1 : 0)};
    iovec parts[4];
    parts[2].iov_base = &request;
    parts[2].iov_len = sizeof request;
    parts[3].iov_base = nullptr;
    parts[3].iov_len = (-parts[2].iov_len) & 3;
    return xcb_send_request(c, 0, parts + 2, &header);
}

double NowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Display {
    xcb_connection_t *c = nullptr;
    xcb_window_t root = 0;
    std::uint8_t damageEvent = 0;

    bool open() {
        c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(c))
            return false;
        root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;

        const char name[] = "DAMAGE";
        std::unique_ptr<xcb_query_extension_reply_t, decltype(&std::free)> ext(
            xcb_query_extension_reply(c, xcb_query_extension(c, sizeof name - 1, name), nullptr),
            &std::free);
        if (!ext || !ext->present)
            return false;
        damageEvent = ext->first_event;
        // The server accepts DAMAGE requests only after the version has been agreed.
        DamageQueryVersionRequest version{0, 0, 0, 1, 1};
        const unsigned seq = SendDamageRequest(c, kDamageQueryVersion, false, version);
        std::free(xcb_wait_for_reply(c, seq, nullptr));

        // Every top-level window created from now on is announced to this client.
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(c);
        return true;
    }
    ~Display() {
        if (c)
            xcb_disconnect(c);
    }

    void watch(xcb_window_t window) {
        DamageCreateRequest create{0, 0, 0, xcb_generate_id(c), window, kReportNonEmpty, {}};
        SendDamageRequest(c, kDamageCreate, true, create);
        xcb_flush(c);
    }

    // Waits for the first drawing into any new top-level window; false after the timeout.
    bool waitForFirstDraw(double deadlineMs) {
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        for (;;) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(c)) {
                const std::uint8_t type = event->response_type & 0x7f;
                if (type == XCB_CREATE_NOTIFY) {
                    const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
                    if (created->parent == root)
                        watch(created->window);
                }
                std::free(event);
                if (type == damageEvent)
                    return true;
                // Errors (a window gone before it was watched, an input-only one) are expected.
            }
            if (xcb_connection_has_error(c))
                return false;
            const double left = deadlineMs - NowMs();
            if (left <= 0)
                return false;
            poll(&fd, 1, int(left) + 1);
        }
    }
};

struct Run {
    double startupMs = 0;
    long peakKb = 0;
};

std::optional<Run> RunOnce(const std::string &program, int lingerMs) {
    Display display;
    if (!display.open()) {
        std::fprintf(stderr, "startup_probe: no X display with the DAMAGE extension\n");
        return std::nullopt;
    }
    char *argv[] = {const_cast<char *>(program.c_str()), nullptr};
    pid_t pid = 0;
    const double start = NowMs();
    // The programs' own messages would drown the figures.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&quiet, 1, 2);
    const int spawned = posix_spawn(&pid, program.c_str(), &quiet, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) {
        std::fprintf(stderr, "startup_probe: cannot start %s\n", program.c_str());
        return std::nullopt;
    }
    const bool drawn = display.waitForFirstDraw(start + 20000);
    const double firstDraw = NowMs();

    // Let it settle, so the peak covers what it does right after appearing.
    usleep(useconds_t(lingerMs) * 1000);
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (!drawn) {
        std::fprintf(stderr, "startup_probe: %s drew nothing within 20 s\n", program.c_str());
        return std::nullopt;
    }
    return Run{firstDraw - start, usage.ru_maxrss};
}

struct Summary {
    double median, min, max;
};

Summary Summarise(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {median, v.front(), v.back()};
}

} // namespace

int main(int argc, char **argv) {
    int runs = 20;
    int lingerMs = 500;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--linger-ms" && i + 1 < argc)
            lingerMs = std::max(0, std::atoi(argv[++i]));
        else
            programs.push_back(arg);
    }
    if (programs.size() != 2) {
        std::fprintf(stderr,
                     "usage: startup_probe [--runs N] [--linger-ms M] <program A> <program B>\n");
        return 2;
    }

    // One unmeasured run of each fills the file and font caches for both alike.
    for (const std::string &program : programs)
        if (!RunOnce(program, 0))
            return 1;

    std::vector<double> startup[2], peak[2];
    for (int r = 0; r < runs; ++r) {
        for (int p = 0; p < 2; ++p) {
            const std::optional<Run> run = RunOnce(programs[std::size_t(p)], lingerMs);
            if (!run)
                return 1;
            std::printf("run %2d %c  start-up %8.2f ms  peak RSS %7ld KiB\n", r + 1, 'A' + p,
                        run->startupMs, run->peakKb);
            startup[p].push_back(run->startupMs);
            peak[p].push_back(double(run->peakKb));
        }
    }

    Summary s[2], m[2];
    for (int p = 0; p < 2; ++p) {
        s[p] = Summarise(startup[p]);
        m[p] = Summarise(peak[p]);
        std::printf("%c = %s\n  start-up ms: median %.2f  min %.2f  max %.2f\n"
                    "  peak RSS KiB: median %.0f  min %.0f  max %.0f\n",
                    'A' + p, programs[std::size_t(p)].c_str(), s[p].median, s[p].min, s[p].max,
                    m[p].median, m[p].min, m[p].max);
    }
    std::printf("ratio B / A of the medians: start-up %.2f, peak RSS %.2f\n",
                s[1].median / s[0].median, m[1].median / m[0].median);
    return 0;
}
