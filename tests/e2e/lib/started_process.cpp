#include "started_process.h"

#include <stdexcept>
#include <utility>
#include <vector>

namespace nimbul::e2e {

Process Process::Start(const std::string& exe, const std::string& arguments) {
  std::string commandLine = QuoteArgument(exe);
  if (!arguments.empty()) commandLine += " " + arguments;
  std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back('\0');

  std::string folder = exe.substr(0, exe.find_last_of("\\/") + 1);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(exe.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    const DWORD error = GetLastError();
    throw std::runtime_error("cannot start " + exe + " (error " + std::to_string(error) + ")");
  }
  CloseHandle(info.hThread);
  Process p;
  p.handle_.reset(info.hProcess);
  p.id_ = info.dwProcessId;
  return p;
}

Process::Process(Process&& other) noexcept : handle_(std::move(other.handle_)), id_(other.id_) { other.id_ = 0; }

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Kill();
    handle_ = std::move(other.handle_);
    id_ = other.id_;
    other.id_ = 0;
  }
  return *this;
}

bool Process::Running() const { return handle_ && WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Process::WaitForExit(Millis timeout) const {
  if (!handle_) return std::nullopt;
  if (WaitForSingleObject(handle_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  if (!GetExitCodeProcess(handle_.get(), &code)) return std::nullopt;
  return code;
}

void Process::Kill() {
  if (!Running()) return;
  TerminateProcess(handle_.get(), 1);
  WaitForSingleObject(handle_.get(), static_cast<DWORD>(kPatience.count()));
}

std::string DriverFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, length);
  return s.substr(0, s.find_last_of("\\/") + 1);
}

std::string QuoteArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

}  // namespace nimbul::e2e
