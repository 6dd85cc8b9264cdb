#include "ui/application.h"

namespace nimbul::ui {

Application::Application(platform::Platform& platform, Backend& backend) : platform_(platform), backend_(backend) {}

namespace {

// Children first, so no peer outlives the window it lives in.
void UnrealizeTree(Control& c) {
  std::vector<Control*> children = c.Children();
  for (Control* child : children) UnrealizeTree(*child);
  c.DetachPeer();
}

}  // namespace

Application::~Application() {
  // Every peer goes while every model still exists; then the forms go in
  // reverse order of creation, the main form last.
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
    for (Menu* m : (*it)->Menus()) m->AttachPeer(nullptr);
    UnrealizeTree(**it);
  }
  while (!forms_.empty()) forms_.pop_back();
}

void Application::Initialize() {
  title_ = TitleFromExeName(ExeName(), platform_.codePages);
  handle_ = backend_.CreateApplicationWindow(title_);
}

void Application::SetTitle(const std::string& t) {
  title_ = t;
  backend_.SetApplicationTitle(t);
}

void Application::RealizeTree(Control& c) {
  c.AttachPeer(backend_.CreatePeer(c));
  // Copy: creating a peer never adds children, but keep the walk safe.
  std::vector<Control*> children = c.Children();
  for (Control* child : children) RealizeTree(*child);
}

// The menus come right after the form's own window: a menu bar attached
// later would shrink the client area under every control made by then and
// move each of them once more.
void Application::Realize(Form& f) {
  f.AttachPeer(backend_.CreatePeer(f));
  for (Menu* m : f.Menus()) RealizeMenu(*m);
  std::vector<Control*> children = f.Children();
  for (Control* child : children) RealizeTree(*child);
}

void Application::RealizeMenu(Menu& m) { m.AttachPeer(backend_.CreateMenuPeer(m)); }

void Application::Run() {
  running_ = true;
  if (showMainForm_ && mainForm_) mainForm_->Show();
  backend_.RunMessageLoop();
  running_ = false;
}

void Application::Terminate() { backend_.Terminate(); }
void Application::ProcessMessages() { backend_.ProcessMessages(); }

void Application::SetHint(const std::string& h) {
  if (h == hint_) return;
  hint_ = h;
  Guard(OnHint);
}

void Application::ShowApplicationWindow(bool show) {
  appWindowShown_ = show;
  backend_.ShowApplicationWindow(show);
}

void Application::Minimize() {
  if (minimized_) return;
  backend_.MinimizeApplication();
  minimized_ = true;
  Guard(OnMinimize);
}

void Application::QueryEndSession() {
  if (!sessionEnded_) Guard(OnQueryEndSession);
}

void Application::EndSession(bool ending) {
  if (sessionEnded_) return;
  sessionEnded_ = ending;
  if (OnEndSession) Guard([&] { OnEndSession(ending); });
}

void Application::Restore() {
  if (!minimized_) return;
  backend_.RestoreApplication();
  appWindowShown_ = true;
  minimized_ = false;
  Guard(OnRestore);
}

void Application::SystemActivated() { Guard(OnActivate); }
void Application::SystemDeactivated() { Guard(OnDeactivate); }

void Application::Guard(const std::function<void()>& handler) {
  if (!handler) return;
  try {
    handler();
  } catch (const std::exception& e) {
    ShowException(e);
  }
}

void Application::ShowException(const std::exception& e) {
  ShowMessageBox(ErrorBoxText(e.what()), title_, platform::kMbOk | platform::kMbIconStop);
}

void Application::ShowMessage(const std::string& text) { ShowMessageBox(text, title_, platform::kMbOk); }

int Application::ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  auto& wm = platform_.wm;
  // The box belongs to the form the user works in, so it stays in front of
  // it; every other form of the program waits until it is answered, so no
  // handler can run again while its own box is open.
  const platform::Hwnd owner = BoxOwner();
  std::vector<Form*> disabled;
  for (auto& f : forms_) {
    if (f->Handle() == owner || !f->Visible() || !f->Enabled()) continue;
    f->SetEnabled(false);
    disabled.push_back(f.get());
  }
  const int answer = wm.MessageBoxA(owner, text, caption, flags);
  for (Form* f : disabled) f->SetEnabled(true);
  return answer;
}

// The active form owns the box, so it gets the activation back when the box
// closes; without one, the application window does.
platform::Hwnd Application::BoxOwner() {
  Control* focused = backend_.FocusedControl();
  Form* form = focused ? focused->OwnerForm() : nullptr;
  if (form && form->Visible() && form->Enabled() && !IsNull(form->Handle()) && backend_.ApplicationActive())
    return form->Handle();
  return handle_;
}

void Application::BringToFront() {
  auto& wm = platform_.wm;
  platform::Hwnd popup = wm.GetLastActivePopup(handle_);
  if (IsNull(popup) || popup == handle_ || !wm.IsWindowVisible(popup) || !wm.IsWindowEnabled(popup)) return;
  wm.SetForegroundWindow(popup);
  // Not every system raises a window it activates (Wine does not): what
  // follows a bring-to-front relies on the program being on top.
  wm.RaiseWindow(popup);
}

std::string Application::ExeName() { return platform_.files.ExecutablePath(); }

std::string Application::ExeFolder() {
  const std::string path = ExeName();
  return path.substr(0, platform::FileNameStart(path, platform_.codePages));
}

std::string ErrorBoxText(const std::string& text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) return text + ".";
  return text;
}

std::string TitleFromExeName(const std::string& exePath, platform::CodePages& codePages) {
  std::string name = exePath.substr(platform::FileNameStart(exePath, codePages));
  name = name.substr(0, name.find('.'));
  // The first character keeps its case, whether it takes one byte or two.
  const std::size_t first = !name.empty() && codePages.IsLeadByte(name[0]) ? 2 : 1;
  if (name.size() <= first) return name;
  return name.substr(0, first) + codePages.ToLower(name.substr(first));
}

std::string GetFileVersionText(Application& app) {
  auto parts = app.Sys().version.FileVersion(app.ExeName());
  if (!parts) return "";
  auto& p = *parts;
  return std::to_string(p[0]) + "." + std::to_string(p[1]) + "." + std::to_string(p[2]) + "." + std::to_string(p[3]);
}

}  // namespace nimbul::ui
