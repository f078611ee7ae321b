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

BandWorker::BandWorker() : m_thread([this] { Loop(); }) {}

BandWorker::~BandWorker() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_quit = true;
  }
  m_wake.notify_one();
  m_thread.join();
}

void BandWorker::Start(std::function<void()> job) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_job = std::move(job);
    m_busy = true;
  }
  m_wake.notify_one();
}

void BandWorker::Wait() {
  SpinUntil([this] { return !m_busy.load(std::memory_order_acquire); });
  std::unique_lock<std::mutex> lock(m_mutex);
  m_done.wait(lock, [this] { return !m_busy; });
}

void BandWorker::Loop() {
  for (;;) {
    SpinUntil([this] { return m_busy.load(std::memory_order_acquire) || m_quit.load(std::memory_order_acquire); });
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait(lock, [this] { return m_quit || m_busy; });
    if (m_quit) return;
    std::function<void()> job = std::move(m_job);
    lock.unlock();
    job();
    lock.lock();
    m_busy = false;
    lock.unlock();
    m_done.notify_one();
  }
}

}  // namespace map
