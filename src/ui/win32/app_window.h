// The application window: a zero-size top-level window that carries the
// program's taskbar button and owns every form.
#pragma once
#include <windows.h>

#include <string>

#include "ui/win32/peer_window.h"

namespace nimbul::ui::win32 {

class AppWindow : public PeerWindow {
 public:
  AppWindow(PeerContext& context, const std::string& title);

  // Minimize and restore by the program itself, which the application has
  // already taken into account.
  void Minimize();
  void Restore();

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

  bool changing_ = false;
};

}  // namespace nimbul::ui::win32
