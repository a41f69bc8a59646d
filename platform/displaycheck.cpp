#include "displaycheck.h"

#include <cstdlib>
#include <string_view>
#include <xcb/xcb.h>

std::string DisplayProblem() {
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0' && !std::string_view(platform).starts_with("xcb"))
        return {}; // offscreen and friends need no display server
    const char *display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0')
        return "no graphical display (DISPLAY is not set)";
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed)
        return std::string("the display ") + display + " does not answer";
    return {};
}
