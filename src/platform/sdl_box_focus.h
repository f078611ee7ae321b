// Keyboard focus for the SDL backend's modal boxes on a bare X server.
#pragma once

#include <atomic>
#include <future>
#include <string>
#include <thread>

namespace platform::sdl {

// While alive, gives the keyboard focus to the box titled `utf8Title` as soon as the X server
// maps it as a top-level window; once destroyed (the box gone), hands the focus back to where it
// was.
// A window manager normally does both; without one (Xvfb, a kiosk session) SDL's box never gets
// the focus, so Enter and Escape would go to the game window behind it and the box could only be
// answered with the mouse. Under a reparenting window manager the box is mapped inside the
// manager's frame, not as a top-level window, and the manager keeps the say over the focus.
// Does nothing when the video driver is not X11 or the display cannot be reached.
class BoxFocus {
 public:
  explicit BoxFocus(std::string utf8Title);
  ~BoxFocus();
  BoxFocus(const BoxFocus&) = delete;
  BoxFocus& operator=(const BoxFocus&) = delete;

 private:
  void Watch(std::string title, std::promise<void>& watching);

  std::atomic<bool> boxClosed_{false};
  std::thread watcher_;
};

}  // namespace platform::sdl
