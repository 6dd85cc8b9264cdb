// The application window: a zero-size top-level window that carries the
// program's taskbar button and owns every form.
#pragma once
#include <windows.h>

#include <string>

#include "ui/win32/peer_window.h"

namespace nimbul::ui::win32 {

class AppWindow : public PeerWindow {
 public:
  AppWindow(Win32Backend& backend, const std::string& title);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT OnSysCommand(WPARAM command, LPARAM lParam);
  LRESULT OnSize(WPARAM kind, LPARAM lParam);
  LRESULT OnActivateApp(bool active, WPARAM wParam, LPARAM lParam);
  LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
  LRESULT OnActivateLastPopup();
  LRESULT OnClose();
  LRESULT OnQueryEndSession();
  LRESULT OnEndSession(bool ending);
};

}  // namespace nimbul::ui::win32
