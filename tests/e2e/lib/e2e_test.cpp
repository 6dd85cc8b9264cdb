#include "e2e_test.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "desktop.h"
#include "registry_state.h"
#include "screenshot.h"

namespace nimbul::e2e {

void E2eTest::SetUp() {
  ResetNimbulonRegistry();
  // A test that ended while Nimbulon had hidden the taskbar must not leave
  // the next one without it.
  for (HWND tray : FindTopLevel({std::string("Shell_TrayWnd"), std::nullopt, 0, false})) {
    ShowWindow(tray, SW_SHOWNA);
  }
}

void E2eTest::TearDown() {
  if (HasFailure()) {
    const std::string path = ScreenshotPathFor(*::testing::UnitTest::GetInstance()->current_test_info());
    if (SaveScreenshot(path)) {
      std::printf("screenshot: %s\n", path.c_str());
    } else {
      std::printf("screenshot failed: %s\n", path.c_str());
    }
  }
  for (NimbulApp& app : apps_) app.process().Kill();
  apps_.clear();
  targets_.clear();
}

NimbulApp& E2eTest::StartNimbul(const StartOptions& options) {
  apps_.push_back(NimbulApp::Start(options));
  return apps_.back();
}

Targets& E2eTest::OpenTargets(const std::vector<TargetSpec>& windows) {
  targets_.push_back(Targets::Open(windows));
  return targets_.back();
}

std::string ScreenshotPathFor(const ::testing::TestInfo& test) {
  std::string folder;
  if (const char* dir = std::getenv("NIMBUL_SCREENSHOTS"); dir && *dir) {
    folder = dir;
  } else {
    folder = DriverFolder() + "..\\e2e-screenshots";
  }
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string name = std::string(test.test_suite_name()) + "." + test.name();
  for (char& c : name) {
    if (c == '/' || c == '\\' || c == ':') c = '_';
  }
  return folder + "\\" + name + ".bmp";
}

}  // namespace nimbul::e2e
