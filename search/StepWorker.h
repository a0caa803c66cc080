// A second thread that does one piece of work at a time for its owner, who waits for each piece
// before handing it the next: a shelf's scan steps the book after the one in hand there, so that
// two books are read and searched at once.
#ifndef SEARCH_STEPWORKER_H
#define SEARCH_STEPWORKER_H

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace search {

class StepWorker {
 public:
  StepWorker() = default;
  ~StepWorker();
  StepWorker(const StepWorker&) = delete;
  StepWorker& operator=(const StepWorker&) = delete;

  // Starts work on the second thread (made at the first call); false when no thread can be had,
  // and the work is not run. The work before must be waited for.
  bool Start(std::function<void()> work);
  // Until the work started last is over.
  void Wait();

 private:
  void Loop();

  std::thread thread;
  std::mutex mutex;
  std::condition_variable changed;
  std::function<void()> work;
  bool busy = false;
  bool quit = false;
};

}  // namespace search

#endif  // SEARCH_STEPWORKER_H
