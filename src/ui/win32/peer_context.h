// What a native peer may ask of the toolkit around it: the application and
// its window, the fonts, a fresh control identifier, where an error goes, the
// hint line, the keys held when a window shows, and the registries of the
// live forms and menus. The backend implements it; no peer sees the backend,
// which makes the peers (through the factory) and runs the message loop.
#pragma once
#include <windows.h>

#include <exception>

namespace nimbul::ui {
class Application;
}

namespace nimbul::ui::win32 {

class Fonts;
class FormRegistry;
class Hints;
class MenuRegistry;

class PeerContext {
 public:
  virtual ~PeerContext() = default;

  // Null until the application attaches itself.
  virtual Application* App() const = 0;
  // The window that owns every form; null before it exists.
  virtual HWND AppWindowHandle() const = 0;
  virtual const Fonts& GetFonts() const = 0;
  // A fresh identifier for a child control.
  virtual int NextControlId() = 0;
  // An error that reached a window procedure: shown like any handler's error.
  virtual void ReportError(const std::exception& e) = 0;
  virtual Hints& GetHints() = 0;
  virtual FormRegistry& Forms() = 0;
  virtual MenuRegistry& Menus() = 0;
  // A window shown while Enter, Esc or Space is held (the key that chose the
  // menu entry that opened it) must not act on that key: its repeats and
  // characters are dropped until it is released.
  virtual void NoteKeysHeldAtShow() = 0;
};

}  // namespace nimbul::ui::win32
