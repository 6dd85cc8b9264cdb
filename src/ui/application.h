// The application object: title, application window, application-level
// events, error handling and the forms.
#pragma once
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/backend.h"
#include "ui/form.h"

namespace nimbul::ui {

class Application {
 public:
  Application(platform::Platform& platform, Backend& backend);
  ~Application();

  platform::Platform& Sys() { return platform_; }
  Backend& GetBackend() { return backend_; }

  // Creates the application window (title as the executable's name gives it).
  void Initialize();
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& t);
  platform::Hwnd Handle() const { return handle_; }

  // Creates a form once, hidden: it is built, gets its peers, then its
  // OnCreate runs. The first form created is the main form.
  template <class F, class... Args>
  F& CreateForm(Args&&... args) {
    auto form = std::make_unique<F>(*this, std::forward<Args>(args)...);
    F& ref = *form;
    forms_.push_back(std::move(form));
    if (!mainForm_) mainForm_ = &ref;
    Realize(ref);
    ref.DoCreate();
    return ref;
  }
  Form* MainForm() const { return mainForm_; }
  // The first form of class F, or null.
  template <class F>
  F* FindForm() const {
    for (auto& f : forms_)
      if (auto* found = dynamic_cast<F*>(f.get())) return found;
    return nullptr;
  }

  // The show-main-window mark: the message loop shows the main form when set.
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool s) { showMainForm_ = s; }
  // Shows the main form if the mark is set, then runs the message loop.
  void Run();
  void Terminate();
  void ProcessMessages();

  // The hint of the control under the mouse or of the highlighted menu entry.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& h);
  Color HintColor() const { return hintColor_; }
  void SetHintColor(Color c) { hintColor_ = c; }
  std::function<void()> OnHint, OnActivate, OnDeactivate, OnMinimize, OnRestore;
  // The system asks whether the Windows session may end (each time it asks).
  std::function<void()> OnQueryEndSession;
  // Then it tells: true, the session ends (raised once); false, the user
  // cancelled and the session goes on.
  std::function<void(bool ending)> OnEndSession;
  void QueryEndSession();
  void EndSession(bool ending);

  // The application window and with it the taskbar button.
  void ShowApplicationWindow(bool show);
  bool ApplicationWindowShown() const { return appWindowShown_; }
  bool Minimized() const { return minimized_; }
  void Minimize();
  void Restore();
  // Raised by the backend when the application becomes or stops being the active one.
  void SystemActivated();
  void SystemDeactivated();
  bool Active() { return backend_.ApplicationActive(); }

  // Runs a handler; an error that leaves it is shown in the error box.
  void Guard(const std::function<void()>& handler);
  void ShowException(const std::exception& e);
  // A plain message box: the text, OK, the application title as caption.
  void ShowMessage(const std::string& text);
  int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags);

  // Bring to front: the most recently active popup of the application window,
  // if it is not the application window itself and is visible and enabled.
  void BringToFront();

  // The path of the running executable, and its folder with a trailing backslash.
  std::string ExeName();
  std::string ExeFolder();

  void Realize(Form& f);
  void RealizeMenu(Menu& m);

 private:
  void RealizeTree(Control& c);
  platform::Hwnd BoxOwner();
  platform::Platform& platform_;
  Backend& backend_;
  std::string title_;
  platform::Hwnd handle_{};
  std::vector<std::unique_ptr<Form>> forms_;
  Form* mainForm_ = nullptr;
  bool showMainForm_ = true;
  std::string hint_;
  Color hintColor_ = 0x00E1FFFFu;
  bool minimized_ = false;
  bool sessionEnded_ = false;
  bool appWindowShown_ = true;
  bool running_ = false;
};

// The error box's text: a full stop is appended when the last character
// sorts after ".".
std::string ErrorBoxText(const std::string& text);

// The running executable's file version, "1.7.1.6" for this release; empty
// when the executable has no version resource.
std::string GetFileVersionText(Application& app);

// The executable's name up to its first dot, letters after the first in lower case.
std::string TitleFromExeName(const std::string& exePath, platform::CodePages& codePages);

}  // namespace nimbul::ui
