#pragma once
// The thread facility of the threaded pacing: start a worker of a given
// priority, and wait for it on the main thread while serving the synchronous
// calls it makes (otherwise worker and main thread would wait for each other).
#include <functional>
#include <memory>

namespace vorn {

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class WorkerThread {
 public:
  // Joins: a worker never outlives its handle.
  virtual ~WorkerThread() = default;
  // Main thread: return once the body has ended, serving the host's
  // synchronous calls meanwhile.
  virtual void waitFor() = 0;
  // The body has returned (the handle can be dropped without waiting).
  virtual bool finished() const = 0;
  // Main thread: give up the worker without waiting for it (the handle may
  // then go away while the body still runs). The body must end without
  // touching its owner; the WorkerThreads that started it waits for it
  // when it goes away itself.
  virtual void release() = 0;
};

class WorkerThreads {
 public:
  // Waits for the workers that were released.
  virtual ~WorkerThreads() = default;
  virtual std::unique_ptr<WorkerThread> start(TThreadPriority priority, std::function<void()> body) = 0;
};

}  // namespace vorn
