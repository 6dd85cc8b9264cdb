// The queue behind every dispatcher: work handed in by any thread, run by
// the user-interface thread, with the waiting of synchronous senders.
#pragma once
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

namespace nimbul::platform {

class DispatchQueue {
 public:
  using Work = std::function<void()>;

  // `wake` tells the user-interface thread that work is queued; it is called
  // with the queue locked, so it must only post or signal, never wait. It is
  // called once for any number of items queued before the next RunPending.
  explicit DispatchQueue(std::function<void()> wake);
  ~DispatchQueue();
  DispatchQueue(const DispatchQueue&) = delete;
  DispatchQueue& operator=(const DispatchQueue&) = delete;

  bool Post(Work work);
  // Queues the work and waits until the user-interface thread has run it or
  // the queue has shut down. Never call it on the user-interface thread.
  bool SendAndWait(Work work);
  // Runs the work queued now, oldest first; work queued meanwhile waits for
  // the next call. Returns how many ran.
  std::size_t RunPending();
  void Shutdown();
  bool Closed() const;
  std::size_t Pending() const;
  // Waits until work is queued or `ms` pass; true when some is queued.
  bool WaitForWork(unsigned ms);

 private:
  struct Item {
    Work work;
    bool waited = false;  // a sender waits for it
    bool done = false;
    bool dropped = false;
    std::exception_ptr error;
  };
  bool Queue(const std::shared_ptr<Item>& item);
  void Drop(std::deque<std::shared_ptr<Item>>& items);

  std::function<void()> wake_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::shared_ptr<Item>> items_;
  bool closed_ = false;
  // A wake-up is on its way and the queue has not been taken since: work
  // queued now rides along with it.
  bool wakePending_ = false;
};

}  // namespace nimbul::platform
