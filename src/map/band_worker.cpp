#include "map/band_worker.h"

#include <utility>

namespace map {

namespace {
// Yields before sleeping: a few hundred microseconds at most, given up at once to any other
// thread that wants the core.
constexpr int kSpinYields = 200;

template <typename Done>
void SpinUntil(Done done) {
  for (int i = 0; i < kSpinYields && !done(); ++i) std::this_thread::yield();
}
}  // namespace

BandWorker::BandWorker() : thread_([this] { Loop(); }) {}

BandWorker::~BandWorker() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void BandWorker::Start(std::function<void()> job) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    job_ = std::move(job);
    busy_ = true;
  }
  wake_.notify_one();
}

void BandWorker::Wait() {
  SpinUntil([this] { return !busy_.load(std::memory_order_acquire); });
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [this] { return !busy_; });
}

void BandWorker::Loop() {
  for (;;) {
    SpinUntil([this] { return busy_.load(std::memory_order_acquire) || quit_.load(std::memory_order_acquire); });
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait(lock, [this] { return quit_ || busy_; });
    if (quit_) return;
    std::function<void()> job = std::move(job_);
    lock.unlock();
    job();
    lock.lock();
    busy_ = false;
    lock.unlock();
    done_.notify_one();
  }
}

}  // namespace map
