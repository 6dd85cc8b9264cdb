// A program started by a test, ended by the test at the latest when the
// object goes away: no test may leave a process behind.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/handle.h"
#include "polling.h"

namespace nimbul::e2e {

class Process {
 public:
  // Starts `exe` with the command-line tail `arguments`, in the folder of
  // the executable. Throws std::runtime_error when the start fails.
  static Process Start(const std::string& exe, const std::string& arguments = "");

  Process() = default;
  Process(Process&& other) noexcept;
  // The process this object held until now is ended first.
  Process& operator=(Process&& other) noexcept;
  ~Process() { Kill(); }

  DWORD id() const { return id_; }
  HANDLE handle() const { return handle_.get(); }

  bool Running() const;
  // The exit code once the process has ended within `timeout`.
  std::optional<DWORD> WaitForExit(Millis timeout = kPatience) const;
  // Ends the process if it still runs and waits until it is gone.
  void Kill();

 private:
  platform::win32::KernelHandle handle_;
  DWORD id_ = 0;
};

// The folder of the running driver, with its trailing backslash.
std::string DriverFolder();

// One command-line argument quoted so that the C runtime reads it back whole.
std::string QuoteArgument(const std::string& argument);

}  // namespace nimbul::e2e
