// The world lock as a capability Clang's thread-safety analysis can follow: the mutex, the scoped
// hold of it, and the attributes that say which operations need it held. Other compilers see
// plain types and no attributes.
#pragma once

#include <mutex>

#if defined(__clang__)
#define TL_THREAD_ANNOTATION(x) __attribute__((x))
#else
#define TL_THREAD_ANNOTATION(x)
#endif

#define TL_CAPABILITY(name) TL_THREAD_ANNOTATION(capability(name))
#define TL_SCOPED_CAPABILITY TL_THREAD_ANNOTATION(scoped_lockable)
#define TL_GUARDED_BY(x) TL_THREAD_ANNOTATION(guarded_by(x))
#define TL_PT_GUARDED_BY(x) TL_THREAD_ANNOTATION(pt_guarded_by(x))
#define TL_REQUIRES(...) TL_THREAD_ANNOTATION(requires_capability(__VA_ARGS__))
#define TL_ACQUIRE(...) TL_THREAD_ANNOTATION(acquire_capability(__VA_ARGS__))
#define TL_RELEASE(...) TL_THREAD_ANNOTATION(release_capability(__VA_ARGS__))
#define TL_EXCLUDES(...) TL_THREAD_ANNOTATION(locks_excluded(__VA_ARGS__))
#define TL_RETURN_CAPABILITY(x) TL_THREAD_ANNOTATION(lock_returned(x))
#define TL_ASSERT_CAPABILITY(x) TL_THREAD_ANNOTATION(assert_capability(x))
#define TL_NO_THREAD_SAFETY_ANALYSIS TL_THREAD_ANNOTATION(no_thread_safety_analysis)

namespace engine {

// Guards one world between the window thread, the game-loop thread and script threads.
class TL_CAPABILITY("mutex") WorldMutex {
 public:
  void lock() TL_ACQUIRE() { mutex_.lock(); }
  void unlock() TL_RELEASE() { mutex_.unlock(); }
  // For code the analysis cannot follow that runs where nobody else can hold the lock (loading
  // before the game loop and the script threads start, teardown after they end): tells the
  // analysis the lock counts as held there. It checks nothing at run time.
  void AssumeHeld() const TL_ASSERT_CAPABILITY(this) {}

 private:
  std::mutex mutex_;
};

// Holds the world lock for its scope.
class TL_SCOPED_CAPABILITY WorldLock {
 public:
  explicit WorldLock(WorldMutex& mutex) TL_ACQUIRE(mutex) : mutex_(mutex) { mutex_.lock(); }
  ~WorldLock() TL_RELEASE() { mutex_.unlock(); }
  WorldLock(const WorldLock&) = delete;
  WorldLock& operator=(const WorldLock&) = delete;

 private:
  WorldMutex& mutex_;
};

}  // namespace engine
