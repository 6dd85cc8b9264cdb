// Opening the tray menu: both window submenus built with an icon per window,
// against a bare loop of the same icon look-ups, icon copies and menu inserts.
#include <cstdio>

#include "bench.h"
#include "program_host.h"
#include "ui/win32/native_menu.h"

using namespace nimbul;

namespace {

HICON ClassIcon(HWND w, int index) { return reinterpret_cast<HICON>(static_cast<ULONG_PTR>(GetClassLongA(w, index))); }

// The first icon CopyIcon accepts, as the submenus choose it.
HICON CopyWindowIcon(HWND w, HICON own) {
  HWND owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(GetWindowLongA(w, GWL_HWNDPARENT)));
  const HICON candidates[] = {ClassIcon(w, GCL_HICONSM), owner ? ClassIcon(owner, GCL_HICONSM) : nullptr,
                              ClassIcon(w, GCL_HICON), own};
  for (HICON c : candidates)
    if (HICON copy = c ? CopyIcon(c) : nullptr) return copy;
  return nullptr;
}

void Insert(HMENU menu, const char* text) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING | MIIM_ID | MIIM_BITMAP;
  info.wID = 1;
  info.hbmpItem = HBMMENU_CALLBACK;
  info.dwTypeData = const_cast<char*>(text);
  InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
}

// The same window walk, look-ups and inserts with nothing around them.
void BareMenus(HWND main, const std::vector<HWND>& hidden, HICON own) {
  HMENU hide = CreatePopupMenu(), show = CreatePopupMenu();
  std::vector<HICON> icons;
  char title[256];
  for (HWND w = main; w;) {
    w = GetWindow(w, GW_HWNDNEXT);
    GetWindowTextA(w, title, sizeof title);
    if (!IsWindowVisible(w)) continue;
    icons.push_back(CopyWindowIcon(w, own));
    Insert(hide, title);
  }
  for (HWND w : hidden) {
    icons.push_back(IsWindow(w) ? CopyWindowIcon(w, own) : CopyIcon(own));
    GetWindowTextA(w, title, sizeof title);
    Insert(show, title);
  }
  for (HICON i : icons) DestroyIcon(i);
  DestroyMenu(hide);
  DestroyMenu(show);
}

}  // namespace

int main() {
  bench::ProgramHost host;
  auto visible = bench::OpenWindows(200, "Visible");
  auto hidden = bench::OpenWindows(50, "Hidden");
  for (HWND h : hidden) bench::HideFromTray(*host.main, h);
  host.MainOnTop();
  bench::Pump();
  auto* native = dynamic_cast<ui::win32::NativeMenu*>(host.main->PopupMenu1.GetPeer());
  if (!native) {
    std::printf("tray menu: no native menu\n");
    return 1;
  }
  HICON own = ClassIcon(host.MainHwnd(), GCL_HICON);
  // What opening the menu does before it shows: the rebuild, the menu and
  // both submenus filled from the model.
  auto open = [&] {
    host.main->PopupMenu1Popup();
    HMENU menu = native->Handle();
    native->OpenSubmenu(GetSubMenu(menu, 2));
    native->OpenSubmenu(GetSubMenu(menu, 3));
  };
  std::vector<double> figure, baseline;
  for (int i = 0; i < 21; ++i) {
    auto start = bench::Clock::now();
    open();
    figure.push_back(bench::MillisecondsSince(start));
    start = bench::Clock::now();
    BareMenus(host.MainHwnd(), hidden, own);
    baseline.push_back(bench::MillisecondsSince(start));
  }
  bench::PrintFigure("Tray menu with " + std::to_string(host.main->Hideprogram1.Count() - 2) + " visible and " +
                         std::to_string(host.main->Showprogram1.Count() - 2) + " hidden windows",
                     {bench::Median(figure), "ms"}, {bench::Median(baseline), "ms"});
  for (HWND w : visible) DestroyWindow(w);
  for (HWND w : hidden) DestroyWindow(w);
  return 0;
}
