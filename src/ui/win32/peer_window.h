// One window of a native peer. A window of a class of its own gets its object
// at WM_NCCREATE; a standard control is created and then subclassed by
// replacing its window procedure. A table of the thread's windows leads from
// either kind to its peer. Either
// way the messages reach HandleMessage, a flat switch in each peer that
// unpacks a message and calls a named member.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "platform/win32/handle.h"

namespace nimbul::ui::win32 {

class PeerContext;

// How a class of our own looks: its background and cursor.
struct ClassLook {
  int backgroundColor = COLOR_BTNFACE;  // a system colour index, or -1 for none
  LPCSTR cursor = IDC_ARROW;
  const char* iconResource = nullptr;
};

class PeerWindow {
 public:
  explicit PeerWindow(PeerContext& context) : context_(context) {}
  virtual ~PeerWindow();
  PeerWindow(const PeerWindow&) = delete;
  PeerWindow& operator=(const PeerWindow&) = delete;

  HWND hwnd() const { return window_.get(); }
  PeerContext& Context() const { return context_; }
  // The peer window behind a handle, or null for any other window.
  static PeerWindow* FromHandle(HWND hwnd);

  // Messages a parent hands on to the child peer they came from.
  virtual LRESULT OnReflectedCommand(UINT code, UINT id);
  virtual LRESULT OnReflectedNotify(NMHDR* header);
  // The brush for painting the child's background, or null for the default.
  virtual HBRUSH OnReflectedColor(HDC dc);

 protected:
  // Registers the class on first use and creates the window.
  bool CreateOwn(const char* className, const ClassLook& look, DWORD exStyle, const char* title, DWORD style,
                 const RECT& r, HWND parent, HMENU menuOrId);
  bool CreateControl(const char* className, DWORD exStyle, const char* title, DWORD style, const RECT& r, HWND parent,
                     int id);

  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

  // Commands without a control: menu entries and accelerators.
  virtual LRESULT OnMenuCommand(UINT id, UINT code, WPARAM wParam, LPARAM lParam);
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
  LRESULT OnChildColor(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  void Attach(HWND hwnd);
  void Detach();

  PeerContext& context_;
  platform::win32::WindowHandle window_;
  WNDPROC original_ = nullptr;  // a standard control's own procedure, while subclassed
};

}  // namespace nimbul::ui::win32
