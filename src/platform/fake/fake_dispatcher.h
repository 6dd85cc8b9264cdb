// A dispatcher whose user-interface thread is the test's: queued work runs
// only when the test pumps it, in the order it was queued.
#pragma once
#include <chrono>
#include <memory>
#include <thread>

#include "platform/dispatch_queue.h"
#include "platform/dispatcher.h"

namespace nimbul::platform::fake {

class FakeDispatcher : public Dispatcher, public std::enable_shared_from_this<FakeDispatcher> {
 public:
  FakeDispatcher() : queue_(nullptr) {}

  bool Post(Work work) override { return queue_.Post(std::move(work)); }
  bool Send(Work work) override;
  bool OnUiThread() const override { return std::this_thread::get_id() == thread_; }
  void Shutdown() override { queue_.Shutdown(); }
  std::shared_ptr<Dispatcher> Share() override { return shared_from_this(); }

  // The test's side: runs what is queued now; returns how many ran.
  std::size_t Pump() { return queue_.RunPending(); }
  // Pumps until `done` holds, waiting for workers to queue more, at most
  // `timeoutMs` in all; returns whether it held.
  template <class Done>
  bool PumpUntil(Done done, unsigned timeoutMs = 5000);
  std::size_t Pending() const { return queue_.Pending(); }
  bool WaitForWork(unsigned ms) { return queue_.WaitForWork(ms); }

 private:
  std::thread::id thread_ = std::this_thread::get_id();
  DispatchQueue queue_;
};

template <class Done>
bool FakeDispatcher::PumpUntil(Done done, unsigned timeoutMs) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    Pump();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    queue_.WaitForWork(10);
  }
}

}  // namespace nimbul::platform::fake
