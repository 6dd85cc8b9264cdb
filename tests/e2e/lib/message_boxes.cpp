#include "message_boxes.h"

#include "desktop.h"

namespace nimbul::e2e {

HWND FindMessageBox(const std::string& caption, DWORD processId) {
  auto found = FindTopLevel({kDialogClass, caption, processId, true});
  return found.empty() ? nullptr : found.front();
}

HWND WaitForMessageBox(const std::string& caption, DWORD processId, Millis timeout) {
  return WaitFor([&] { return FindMessageBox(caption, processId); }, timeout);
}

std::string MessageBoxTextOf(HWND box) {
  std::string text;
  for (HWND child : ChildrenOf(box, "Static")) {
    std::string part = TitleOf(child);
    if (part.empty()) continue;
    if (!text.empty()) text += "\r\n";
    text += part;
  }
  return text;
}

bool PressMessageBoxButton(HWND box, int buttonId) {
  HWND button = GetDlgItem(box, buttonId);
  if (!button) return false;
  return PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != 0;
}

}  // namespace nimbul::e2e
