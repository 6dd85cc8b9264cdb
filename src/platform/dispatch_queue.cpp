#include "platform/dispatch_queue.h"

#include <chrono>
#include <vector>

namespace nimbul::platform {

DispatchQueue::DispatchQueue(std::function<void()> wake) : wake_(std::move(wake)) {}

DispatchQueue::~DispatchQueue() { Shutdown(); }

bool DispatchQueue::Queue(const std::shared_ptr<Item>& item) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (closed_) return false;
  items_.push_back(item);
  if (wake_ && !wakePending_) {
    wakePending_ = true;
    wake_();
  }
  changed_.notify_all();
  return true;
}

bool DispatchQueue::Post(Work work) {
  auto item = std::make_shared<Item>();
  item->work = std::move(work);
  return Queue(item);
}

bool DispatchQueue::SendAndWait(Work work) {
  auto item = std::make_shared<Item>();
  item->work = std::move(work);
  item->waited = true;
  if (!Queue(item)) return false;
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return item->done || item->dropped; });
  if (item->dropped) return false;
  if (item->error) std::rethrow_exception(item->error);
  return true;
}

std::size_t DispatchQueue::RunPending() {
  std::deque<std::shared_ptr<Item>> batch;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    batch.swap(items_);
    wakePending_ = false;
  }
  std::size_t ran = 0;
  while (!batch.empty()) {
    std::shared_ptr<Item> item = std::move(batch.front());
    batch.pop_front();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      // Work may shut the queue down; what is left of the batch goes with it.
      if (closed_) {
        batch.push_front(std::move(item));
        break;
      }
    }
    std::exception_ptr error;
    if (item->waited) {
      try {
        item->work();
      } catch (...) {
        error = std::current_exception();
      }
    } else {
      // Nobody could be told of the failure: posted work must not throw.
      [&]() noexcept { item->work(); }();
    }
    ++ran;
    // The work's captures go here, on this thread, not on the sender's.
    item->work = nullptr;
    std::lock_guard<std::mutex> lock(mutex_);
    item->error = error;
    item->done = true;
    changed_.notify_all();
  }
  if (!batch.empty()) Drop(batch);
  return ran;
}

void DispatchQueue::Drop(std::deque<std::shared_ptr<Item>>& items) {
  std::vector<Work> works;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& item : items) {
      item->dropped = true;
      works.push_back(std::move(item->work));
      item->work = nullptr;
    }
    changed_.notify_all();
  }
  // The dropped work's captures go here, outside the lock and on this thread.
  items.clear();
}

void DispatchQueue::Shutdown() {
  std::deque<std::shared_ptr<Item>> dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    dropped.swap(items_);
  }
  Drop(dropped);
}

bool DispatchQueue::Closed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return closed_;
}

std::size_t DispatchQueue::Pending() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return items_.size();
}

bool DispatchQueue::WaitForWork(unsigned ms) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return !items_.empty() || closed_; }) &&
         !items_.empty();
}

}  // namespace nimbul::platform
