// The messages a desktop backend holds for the engine and its quit request: filled from any
// thread, taken by the main thread's GetMessage in arrival order.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>

#include "platform/platform.h"

namespace platform {

class EngineMessages {
 public:
  enum class Next { Message, Quit, Empty };

  void Push(const Message& message) {
    std::lock_guard<std::mutex> lock(lock_);
    queue_.push_back(message);
    changed_.notify_all();
  }
  // PostQuitMessage: from now on Take answers Quit; the first request's code is kept.
  void Quit(int exitCode) {
    std::lock_guard<std::mutex> lock(lock_);
    if (!quit_) code_ = exitCode;
    quit_ = true;
    changed_.notify_all();
  }
  int QuitCode() const {
    std::lock_guard<std::mutex> lock(lock_);
    return code_;
  }
  // The next message, or Quit once a quit was asked; with `wait`, blocks until one of them
  // comes instead of answering Empty.
  Next Take(Message& out, bool wait) {
    std::unique_lock<std::mutex> lock(lock_);
    if (wait) changed_.wait(lock, [this] { return quit_ || !queue_.empty(); });
    if (quit_) return Next::Quit;
    if (queue_.empty()) return Next::Empty;
    out = queue_.front();
    queue_.pop_front();
    return Next::Message;
  }

 private:
  mutable std::mutex lock_;
  std::condition_variable changed_;
  std::deque<Message> queue_;
  bool quit_ = false;
  int code_ = 0;
};

}  // namespace platform
