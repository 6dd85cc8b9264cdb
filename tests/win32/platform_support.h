// Helpers of the platform tests: a message pump that waits for a condition,
// plain top-level test windows and a scratch folder.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/types.h"
#include "platform/win32/handle_ids.h"

namespace nimbul::platform::win32::testing {

// Handles the calling thread's messages until `done` holds or `timeoutMs`
// passes; returns whether it held.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
  DWORD start = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    if (done()) return true;
    if (::GetTickCount() - start > timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// Handles messages for `ms` milliseconds whatever happens.
inline void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

// A top-level window of a test class; destroyed with the object.
class TestWindow {
 public:
  explicit TestWindow(const std::string& title, const char* className = "NimbulTestTarget", HWND owner = nullptr,
                      HICON classIcon = nullptr) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!::GetClassInfoExA(instance, className, &wc)) {
      wc = WNDCLASSEXA{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = ::DefWindowProcA;
      wc.hInstance = instance;
      wc.hIcon = classIcon;
      wc.lpszClassName = className;
      ::RegisterClassExA(&wc);
    }
    hwnd_ = ::CreateWindowExA(0, className, title.c_str(), WS_OVERLAPPEDWINDOW, 10, 10, 200, 120, owner, nullptr,
                              instance, nullptr);
  }
  ~TestWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  platform::Hwnd id() const { return ToId<platform::Hwnd>(hwnd_); }
  void Destroy() {
    ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }

 private:
  HWND hwnd_ = nullptr;
};

// A fresh folder under the temporary folder, removed with its plain files.
class ScratchFolder {
 public:
  ScratchFolder() {
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "nimbul_platform_" + std::to_string(::GetCurrentProcessId()) + "_" +
            std::to_string(counter_++) + "\\";
    ::CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() { RemoveTree(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // With its trailing backslash.
  const std::string& path() const { return path_; }

 private:
  static void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((folder + "*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        std::string full = folder + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(full + "\\");
        } else {
          ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
          ::DeleteFileA(full.c_str());
        }
      } while (::FindNextFileA(find, &found));
      ::FindClose(find);
    }
    ::RemoveDirectoryA(folder.c_str());
  }
  static inline int counter_ = 0;
  std::string path_;
};

}  // namespace nimbul::platform::win32::testing
