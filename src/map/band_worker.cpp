#include "map/band_worker.h"

#include <utility>

namespace map {

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
  std::unique_lock<std::mutex> lock(m_mutex);
  m_done.wait(lock, [this] { return !m_busy; });
}

void BandWorker::Loop() {
  std::unique_lock<std::mutex> lock(m_mutex);
  for (;;) {
    m_wake.wait(lock, [this] { return m_quit || m_busy; });
    if (m_quit) return;
    std::function<void()> job = std::move(m_job);
    lock.unlock();
    job();
    lock.lock();
    m_busy = false;
    m_done.notify_one();
  }
}

}  // namespace map
