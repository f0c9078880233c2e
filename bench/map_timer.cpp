// Starts a program and prints the milliseconds from its start to the X server's MapNotify
// of its first top-level window with the given title, then its process id; the program
// keeps running. Waiting on the server's event instead of polling leaves both cores to
// the program being measured.
// Usage: map_timer TITLE PROGRAM [ARGUMENTS...]
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

struct FreeReply
{
    void operator()(void* reply) const { std::free(reply); }
};

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string textProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property)
{
    const std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
        nullptr));
    if (!reply)
        return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: map_timer TITLE PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    const std::string title = argv[1];
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "map_timer: cannot connect to the X server (is DISPLAY set?)\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t netWmName = atom(connection, "_NET_WM_NAME");
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    // The selection is in place before the program starts, so no map can be missed.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("map_timer: fork");
        return 1;
    }
    if (child == 0) {
        execvp(argv[2], argv + 2);
        std::perror("map_timer: cannot start the program");
        _exit(127);
    }
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const std::unique_ptr<xcb_generic_event_t, FreeReply> owned(event);
        if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
            continue;
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
        const auto mapped = std::chrono::steady_clock::now();
        if (textProperty(connection, map->window, netWmName) != title &&
            textProperty(connection, map->window, XCB_ATOM_WM_NAME) != title)
            continue;
        const double ms = std::chrono::duration<double, std::milli>(mapped - start).count();
        std::printf("%.1f %d\n", ms, static_cast<int>(child));
        xcb_disconnect(connection);
        return 0;
    }
    std::fprintf(stderr, "map_timer: the X connection ended before %s was mapped\n", title.c_str());
    kill(child, SIGTERM);
    return 1;
}
