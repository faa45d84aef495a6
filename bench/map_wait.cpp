// Waits until a window with exactly the given title is viewable on the X display, then prints the
// real-time clock in nanoseconds and, given the file that holds the program's process number,
// the CPU nanoseconds that process has used by then, every thread counted, ended ones included.
// It wakes on the display's events rather than polling with a new process every few
// milliseconds, which would take CPU from the program being timed.
// Usage: map_wait TITLE [TIMEOUT_SECONDS [PID_FILE]]

#include <poll.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <string_view>

namespace {

struct Free {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, Free>;

xcb_atom_t atom(xcb_connection_t* c, std::string_view name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

class Watcher {
  public:
    Watcher(xcb_connection_t* c, xcb_window_t root, std::string title)
        : c_(c), root_(root), title_(std::move(title)), netName_(atom(c, "_NET_WM_NAME")) {
        const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &events);
        const Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(c_, xcb_query_tree(c_, root_), nullptr));
        if (!tree) return;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) follow(children[i]);
    }

    // A window is followed from its creation: its own map and title changes wake the wait.
    void follow(xcb_window_t window) {
        if (!windows_.insert(window).second) return;
        const std::uint32_t events =
            XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(c_, window, XCB_CW_EVENT_MASK, &events);
    }

    void handle(const xcb_generic_event_t* event) {
        if ((event->response_type & 0x7F) == XCB_CREATE_NOTIFY) {
            follow(reinterpret_cast<const xcb_create_notify_event_t*>(event)->window);
        }
    }

    [[nodiscard]] bool found() {
        for (const xcb_window_t window : windows_) {
            if (viewable(window) && (titled(window, netName_) || titled(window, XCB_ATOM_WM_NAME)))
                return true;
        }
        return false;
    }

  private:
    bool viewable(xcb_window_t window) {
        const Reply<xcb_get_window_attributes_reply_t> reply(
            xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window), nullptr));
        return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    bool titled(xcb_window_t window, xcb_atom_t property) {
        if (property == XCB_ATOM_NONE) return false;
        const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
            nullptr));
        if (!reply) return false;
        const std::string_view name(
            static_cast<const char*>(xcb_get_property_value(reply.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
        return name == title_;
    }

    xcb_connection_t* c_;
    xcb_window_t root_;
    std::string title_;
    xcb_atom_t netName_;
    std::set<xcb_window_t> windows_;
};

// The whole process's CPU clock, which keeps the time of its ended threads too; -1 when the
// process is gone.
long long cpuNanoseconds(const char* pidFile) {
    pid_t pid = 0;
    std::ifstream(pidFile) >> pid;
    clockid_t clock{};
    timespec used{};
    if (pid <= 0 || ::clock_getcpuclockid(pid, &clock) != 0 || ::clock_gettime(clock, &used) != 0)
        return -1;
    return static_cast<long long>(used.tv_sec) * 1'000'000'000 + used.tv_nsec;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: map_wait TITLE [TIMEOUT_SECONDS [PID_FILE]]\n", stderr);
        return 2;
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(argc > 2 ? std::atoi(argv[2]) : 20);
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(nullptr, nullptr), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get()) != 0) {
        std::fputs("map_wait: no X display\n", stderr);
        return 2;
    }
    xcb_connection_t* c = connection.get();
    Watcher watcher(c, xcb_setup_roots_iterator(xcb_get_setup(c)).data->root, argv[1]);
    pollfd display{xcb_get_file_descriptor(c), POLLIN, 0};
    while (!watcher.found()) {
        if (Clock::now() > deadline) return 1;
        xcb_flush(c);
        // Events wake the wait; the short bound only covers a change that sent none to us.
        ::poll(&display, 1, 5);
        while (const Reply<xcb_generic_event_t> event{xcb_poll_for_event(c)}) {
            watcher.handle(event.get());
        }
        if (xcb_connection_has_error(c) != 0) return 2;
    }
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf("%lld", static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    if (argc > 3) std::printf(" %lld", cpuNanoseconds(argv[3]));
    std::printf("\n");
    return 0;
}
