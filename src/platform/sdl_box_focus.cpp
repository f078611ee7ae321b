#include "platform/sdl_box_focus.h"

#include <SDL.h>
#include <poll.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <future>
#include <memory>
#include <string_view>

namespace platform::sdl {
namespace {

// XCB answers its requests one by one, so a window that vanished between two requests is an
// error to drop, not a fatal one as with Xlib's process-wide error handler.
struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

struct Disconnect {
  void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using Connection = std::unique_ptr<xcb_connection_t, Disconnect>;

constexpr int kPollMs = 20;               // how soon the watcher notices that the box has gone
constexpr uint32_t kLongestTitle = 1024;  // in 32-bit units of the property read

xcb_atom_t Atom(xcb_connection_t* connection, std::string_view name) {
  const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data()), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::string Property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
  const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, window, property, type, 0, kLongestTitle), nullptr));
  if (!reply || reply->format != 8) return {};
  return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                     static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

// Sends a request and waits for the server's verdict, dropping any error.
void Checked(xcb_connection_t* connection, xcb_void_cookie_t cookie) {
  std::free(xcb_request_check(connection, cookie));
}

bool OnX11() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && std::strcmp(driver, "x11") == 0;
}

}  // namespace

BoxFocus::BoxFocus(std::string utf8Title) {
  if (!OnX11()) return;
  std::promise<void> watching;
  std::future<void> ready = watching.get_future();
  watcher_ = std::thread([this, title = std::move(utf8Title), watching = std::move(watching)]() mutable {
    Watch(std::move(title), watching);
  });
  // The box may be mapped as soon as the caller goes on: the watcher must be listening first.
  ready.wait();
}

BoxFocus::~BoxFocus() {
  boxClosed_ = true;
  if (watcher_.joinable()) watcher_.join();
}

void BoxFocus::Watch(std::string title, std::promise<void>& watching) {
  int screenNumber = 0;
  Connection connection(xcb_connect(nullptr, &screenNumber));
  if (xcb_connection_has_error(connection.get())) {
    watching.set_value();
    return;
  }
  xcb_connection_t* c = connection.get();
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber && screens.rem > 0; ++i) xcb_screen_next(&screens);
  if (screens.rem == 0) {
    watching.set_value();
    return;
  }
  const xcb_window_t root = screens.data->root;
  const xcb_atom_t netWmName = Atom(c, "_NET_WM_NAME");
  const xcb_atom_t utf8String = Atom(c, "UTF8_STRING");
  // New top-level windows are reported to whoever listens to the root's structure.
  const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  Checked(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &events));
  const Reply<xcb_get_input_focus_reply_t> before(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  watching.set_value();

  bool focused = false;
  const int fd = xcb_get_file_descriptor(c);
  while (!boxClosed_ && !xcb_connection_has_error(c)) {
    // Every event is read, so that a readable connection never keeps the poll below from waiting.
    while (const Reply<xcb_generic_event_t> event{xcb_poll_for_event(c)}) {
      if (focused || (event->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
      const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
      if (map->override_redirect) continue;
      const bool isBox = Property(c, map->window, netWmName, utf8String) == title ||
                         Property(c, map->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) == title;
      if (!isBox) continue;
      Checked(c, xcb_set_input_focus_checked(c, XCB_INPUT_FOCUS_PARENT, map->window, XCB_CURRENT_TIME));
      focused = true;
    }
    pollfd wait{fd, POLLIN, 0};
    poll(&wait, 1, kPollMs);
  }
  // The box is gone and the focus fell back to the root: give it back to the window that had it.
  if (focused && before && before->focus != XCB_NONE && !xcb_connection_has_error(c)) {
    Checked(c, xcb_set_input_focus_checked(c, before->revert_to, before->focus, XCB_CURRENT_TIME));
  }
}

}  // namespace platform::sdl
