// A small X client for the tests of the Windows program under wine, where no window manager runs:
//   x-window find TITLE SECONDS   prints the id of the mapped top-level window titled TITLE
//   x-window size ID              prints the width and height of that window
//   x-window close ID             asks the window to close, as a window manager's close box does
// Exit status 0 on success, 1 when the window is not there, 2 on bad use.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* C, const char* Name) {
    Reply<xcb_intern_atom_reply_t> R(
        xcb_intern_atom_reply(C, xcb_intern_atom(C, 0, std::strlen(Name), Name), nullptr),
        std::free);
    return R ? R->atom : XCB_ATOM_NONE;
}

std::string Property(xcb_connection_t* C, xcb_window_t W, xcb_atom_t Name) {
    Reply<xcb_get_property_reply_t> R(
        xcb_get_property_reply(
            C, xcb_get_property(C, 0, W, Name, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr),
        std::free);
    if (!R || R->format != 8) return {};
    return {static_cast<const char*>(xcb_get_property_value(R.get())),
            static_cast<size_t>(xcb_get_property_value_length(R.get()))};
}

bool Viewable(xcb_connection_t* C, xcb_window_t W) {
    Reply<xcb_get_window_attributes_reply_t> R(
        xcb_get_window_attributes_reply(C, xcb_get_window_attributes(C, W), nullptr), std::free);
    return R && R->map_state == XCB_MAP_STATE_VIEWABLE;
}

xcb_window_t Find(xcb_connection_t* C, xcb_window_t Root, const std::string& Title) {
    const xcb_atom_t NetName = Atom(C, "_NET_WM_NAME");
    Reply<xcb_query_tree_reply_t> Tree(xcb_query_tree_reply(C, xcb_query_tree(C, Root), nullptr),
                                       std::free);
    if (!Tree) return XCB_WINDOW_NONE;
    const xcb_window_t* Children = xcb_query_tree_children(Tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(Tree.get()); ++i) {
        const xcb_window_t W = Children[i];
        if ((Property(C, W, NetName) == Title || Property(C, W, XCB_ATOM_WM_NAME) == Title) &&
            Viewable(C, W))
            return W;
    }
    return XCB_WINDOW_NONE;
}

int Usage() {
    std::fputs("usage: x-window find TITLE SECONDS | size ID | close ID\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string Command = argv[1];
    int Screen = 0;
    xcb_connection_t* C = xcb_connect(nullptr, &Screen);
    if (xcb_connection_has_error(C)) {
        std::fputs("x-window: cannot open the display\n", stderr);
        return 1;
    }
    const xcb_screen_t* S = xcb_setup_roots_iterator(xcb_get_setup(C)).data;

    if (Command == "find" && argc == 4) {
        const auto Deadline =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(std::atof(argv[3]));
        do {
            if (const xcb_window_t W = Find(C, S->root, argv[2])) {
                std::printf("%u\n", W);
                return 0;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        } while (std::chrono::steady_clock::now() < Deadline);
        return 1;
    }

    const auto W = static_cast<xcb_window_t>(std::strtoul(argv[2], nullptr, 0));
    if (Command == "size") {
        Reply<xcb_get_geometry_reply_t> G(
            xcb_get_geometry_reply(C, xcb_get_geometry(C, W), nullptr), std::free);
        if (!G) return 1;
        std::printf("%u %u\n", G->width, G->height);
        return 0;
    }
    if (Command == "close") {
        xcb_client_message_event_t Event{};
        Event.response_type = XCB_CLIENT_MESSAGE;
        Event.format = 32;
        Event.window = W;
        Event.type = Atom(C, "WM_PROTOCOLS");
        Event.data.data32[0] = Atom(C, "WM_DELETE_WINDOW");
        Event.data.data32[1] = XCB_CURRENT_TIME;
        const xcb_void_cookie_t Sent = xcb_send_event_checked(
            C, 0, W, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&Event));
        Reply<xcb_generic_error_t> Error(xcb_request_check(C, Sent), std::free);
        return Error ? 1 : 0;
    }
    return Usage();
}
