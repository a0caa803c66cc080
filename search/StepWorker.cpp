#include "StepWorker.h"

#include <system_error>

namespace search {

StepWorker::~StepWorker() {
  if (!thread.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex);
    quit = true;
  }
  changed.notify_all();
  thread.join();
}

bool StepWorker::Start(std::function<void()> next) {
  if (!thread.joinable()) {
    try {
      thread = std::thread([this] { Loop(); });
    } catch (const std::system_error&) {
      return false;
    }
  }
  {
    std::lock_guard<std::mutex> lock(mutex);
    work = std::move(next);
    busy = true;
  }
  changed.notify_all();
  return true;
}

void StepWorker::Wait() {
  std::unique_lock<std::mutex> lock(mutex);
  changed.wait(lock, [this] { return !busy; });
}

void StepWorker::Loop() {
  std::unique_lock<std::mutex> lock(mutex);
  for (;;) {
    changed.wait(lock, [this] { return busy || quit; });
    if (!busy) return;  // quit, with nothing left to do
    std::function<void()> doing = std::move(work);
    lock.unlock();
    doing();
    lock.lock();
    busy = false;
    changed.notify_all();
  }
}

}  // namespace search
