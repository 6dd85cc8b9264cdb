// The hand-over of work from other threads to the user-interface thread.
#pragma once
#include <functional>
#include <memory>

namespace nimbul::platform {

class Dispatcher {
 public:
  using Work = std::function<void()>;
  virtual ~Dispatcher() = default;

  // Queues `work` to run on the user-interface thread and returns at once.
  // False when the dispatcher has shut down: the work is dropped. Posted work
  // must not throw; an exception that leaves it ends the program.
  virtual bool Post(Work work) = 0;

  // Runs `work` on the user-interface thread and returns after it has run.
  // On that thread itself it runs at once. False when the work did not run
  // and never will: the dispatcher shut down before or while waiting. An
  // exception that leaves the work is thrown again to the caller.
  virtual bool Send(Work work) = 0;

  // True on the thread that created the dispatcher.
  virtual bool OnUiThread() const = 0;

  // Called on the user-interface thread when it stops handling messages:
  // drops the queued work, releases every waiting sender (Send returns
  // false) and refuses all work from now on.
  virtual void Shutdown() = 0;

  // A reference a worker thread may keep past the owner's lifetime: the
  // object stays valid and, once shut down, refuses everything.
  virtual std::shared_ptr<Dispatcher> Share() = 0;
};

}  // namespace nimbul::platform
