// Nimbul.exe as the tests see it from outside: started with a prepared
// registry, found by its main window, read through its list views and its
// status bar.
#pragma once
#include <windows.h>

#include <string>

#include "started_process.h"
#include "remote_controls.h"

namespace nimbul::e2e {

inline constexpr const char* kMainCaption = "Nimbulon";
// Other windows of the program share the caption; the class tells the main one.
inline constexpr const char* kMainClass = "TfrmNimbulMain";
inline constexpr const char* kApplicationTitle = "Nimbul";
inline constexpr const char* kFirstStartCaption = "Caution";
inline constexpr const char* kFirstStartFlag = "SchonXgestartet";

// NIMBUL_EXE when set (a Windows path), else Nimbul.exe next to the driver.
std::string NimbulExePath();

struct StartOptions {
  std::string arguments;
  // Marks the profile as started before, so no first-start notice comes up.
  // Off: the test meets the notice itself.
  bool skipFirstStartNotice = true;
  // Another copy of the program to start (a Windows path); empty: NimbulExePath().
  std::string exe{};
};

class NimbulApp {
 public:
  static NimbulApp Start(const StartOptions& options = {});

  Process& process() { return process_; }
  const Process& process() const { return process_; }

  // The visible top-level window of this process captioned "Nimbulon", or
  // null when it does not appear in time.
  HWND WaitForMainWindow(Millis timeout = kPatience) const;
  HWND MainWindow() const;

  // The two lists, told apart by position: the visible list is the left one.
  RemoteListView VisibleList() const;
  RemoteListView HiddenList() const;
  HWND StatusBar() const;
  std::string StatusText() const;
  // The main window's child control showing `text`, e.g. a list label.
  HWND Control(const std::string& text) const;

  // Closes the main window as its close box does.
  void Close() const;

 private:
  RemoteListView List(bool left) const;

  Process process_;
};

}  // namespace nimbul::e2e
