// A helper thread that runs one job at a time for the caller and can be waited for: the
// two-thread map drawing hands it one band of rows every frame instead of creating and joining
// a thread per frame. Frames follow each other closely, so both sides first yield-spin a short
// while before they sleep on the condition variable: a wake-up through the kernel costs about
// as much as drawing a band.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace map {

class BandWorker {
 public:
  BandWorker();
  ~BandWorker();
  BandWorker(const BandWorker&) = delete;
  BandWorker& operator=(const BandWorker&) = delete;

  // Hands the job to the helper thread; the previous job must have been waited for.
  void Start(std::function<void()> job);
  // Returns once the job given to Start has finished.
  void Wait();

 private:
  void Loop();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  std::function<void()> job_;
  std::atomic<bool> busy_{false};  // written under the mutex, also read while spinning
  std::atomic<bool> quit_{false};
  std::thread thread_;  // last: starts once the fields above exist
};

}  // namespace map
