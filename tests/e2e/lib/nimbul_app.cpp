#include "nimbul_app.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "desktop.h"
#include "registry_state.h"

namespace nimbul::e2e {

std::string NimbulExePath() {
  if (const char* path = std::getenv("NIMBUL_EXE"); path && *path) return path;
  return DriverFolder() + "Nimbul.exe";
}

NimbulApp NimbulApp::Start(const StartOptions& options) {
  if (options.skipFirstStartNotice) PresetDword(kSettingsKey, kFirstStartFlag, 1);
  NimbulApp app;
  app.process_ = Process::Start(options.exe.empty() ? NimbulExePath() : options.exe, options.arguments);
  return app;
}

HWND NimbulApp::WaitForMainWindow(Millis timeout) const {
  return WaitForTopLevel({std::string(kMainClass), std::string(kMainCaption), process_.id(), true}, timeout);
}

HWND NimbulApp::MainWindow() const {
  auto found = FindTopLevel({std::string(kMainClass), std::string(kMainCaption), process_.id(), false});
  return found.empty() ? nullptr : found.front();
}

RemoteListView NimbulApp::List(bool left) const {
  HWND main = MainWindow();
  if (!main) throw std::runtime_error("Nimbulon has no main window");
  auto lists = ChildrenOf(main, "SysListView32");
  if (lists.size() != 2) {
    throw std::runtime_error("the main window has " + std::to_string(lists.size()) + " list views, not 2");
  }
  std::sort(lists.begin(), lists.end(), [](HWND a, HWND b) { return ScreenRect(a).left < ScreenRect(b).left; });
  return RemoteListView(left ? lists.front() : lists.back());
}

RemoteListView NimbulApp::VisibleList() const { return List(true); }
RemoteListView NimbulApp::HiddenList() const { return List(false); }

HWND NimbulApp::StatusBar() const {
  HWND main = MainWindow();
  auto bars = main ? ChildrenOf(main, "msctls_statusbar32") : std::vector<HWND>();
  return bars.empty() ? nullptr : bars.front();
}

std::string NimbulApp::StatusText() const {
  HWND bar = StatusBar();
  if (!bar) throw std::runtime_error("Nimbulon has no status bar");
  return StatusBarText(bar);
}

HWND NimbulApp::Control(const std::string& text) const {
  HWND main = MainWindow();
  return main ? ChildWithText(main, text) : nullptr;
}

void NimbulApp::Close() const {
  HWND main = MainWindow();
  if (!main) throw std::runtime_error("Nimbulon has no main window to close");
  PostMessageA(main, WM_CLOSE, 0, 0);
}

}  // namespace nimbul::e2e
