// The fake icons, notification area and file dialogs.
#include <algorithm>

#include "platform/fake/fake_desktop.h"

namespace nimbul::platform::fake {

// ---- icons ----

namespace {

// A picture of its own for every origin, so a saved and reloaded icon can be
// told from another one.
IconPixels PixelsFor(const std::string& origin, int width, int height) {
  std::uint32_t h = 2166136261u;
  for (char c : origin) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  IconPixels p;
  p.width = width;
  p.height = height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      bool corner = (x == 0 || x == width - 1) && (y == 0 || y == height - 1);
      p.argb.push_back(corner ? 0 : (0xFF000000u | ((h + static_cast<std::uint32_t>(x * 31 + y)) & 0xFFFFFF)));
      p.transparent.push_back(corner);
    }
  return p;
}

}  // namespace

const FakeIcons::Made* FakeIcons::Find(Hicon h) const {
  auto it = live_.find(h);
  return it == live_.end() ? nullptr : &it->second;
}

IconOwner FakeIcons::Make(std::string origin, int width, int height) {
  Hicon h{next_++};
  IconPixels pixels = PixelsFor(origin, width, height);
  live_[h] = {std::move(origin), std::move(pixels)};
  return IconOwner(h, [this](Hicon icon) { Destroy(icon); });
}

IconOwner FakeIcons::FromIconImage(const std::string& image, int width, int height) {
  if (refuseImages || image.empty() || width <= 0 || height <= 0) return {};
  return Make("image:" + image, width, height);
}

IconOwner FakeIcons::FromResource(const std::string& name) {
  if (missingResources.count(name)) return {};
  return Make("res:" + name, 16, 16);
}

IconOwner FakeIcons::FileSmallIcon(const std::string& path) {
  if (noIconFor.count(FakeFiles::Lower(path))) return {};
  return Make("file:" + FakeFiles::Lower(path), 16, 16);
}

IconOwner FakeIcons::Copy(Hicon icon) {
  if (IsNull(icon)) return {};
  const Made* m = Find(icon);
  IconOwner copy = Make("copy:" + (m ? m->origin : std::to_string(Raw(icon))), 16, 16);
  if (m) live_[copy.get()].pixels = m->pixels;
  return copy;
}

bool FakeIcons::Pixels(Hicon icon, IconPixels* out) {
  const Made* m = Find(icon);
  if (!m) return false;
  *out = m->pixels;
  return true;
}

void FakeIcons::Destroy(Hicon icon) {
  if (!live_.erase(icon)) ++badDestroys_;
}

// ---- notification area ----

class FakeCallbackWindow : public CallbackWindow {
 public:
  FakeCallbackWindow(FakeNotifyArea& area, Hwnd hwnd) : area_(area), hwnd_(hwnd) {}
  ~FakeCallbackWindow() override {
    area_.windows_.erase(hwnd_);
    area_.wm_.CloseWindow(hwnd_);
  }
  Hwnd Handle() const override { return hwnd_; }

 private:
  FakeNotifyArea& area_;
  Hwnd hwnd_;
};

std::unique_ptr<CallbackWindow> FakeNotifyArea::CreateCallbackWindow(Handler handler) {
  Hwnd w = wm_.AddChildWindow("TrayCallbackWindow");
  windows_[w] = std::move(handler);
  return std::make_unique<FakeCallbackWindow>(*this, w);
}

bool FakeNotifyArea::Shell_NotifyIconA(unsigned message, const NotifyIconRecord& record) {
  calls.push_back({message, record});
  auto key = std::make_pair(record.hWnd, record.uID);
  switch (message) {
    case kNimAdd:
      if (refuseAdd || shown.count(key)) return false;
      shown[key] = record;
      return !addTimesOut;
    case kNimModify: {
      auto it = shown.find(key);
      if (it == shown.end()) return false;
      NotifyIconRecord& r = it->second;
      if (record.uFlags & kNifIcon) r.hIcon = record.hIcon;
      if (record.uFlags & kNifTip) std::copy(std::begin(record.szTip), std::end(record.szTip), r.szTip);
      return true;
    }
    case kNimDelete: return shown.erase(key) != 0;
    default: return false;
  }
}

bool FakeNotifyArea::Send(Hwnd w, unsigned message, std::uint32_t wParam, std::uint32_t lParam, std::int32_t* result) {
  auto it = windows_.find(w);
  if (it == windows_.end()) return false;
  std::int32_t r = 0;
  Handler handler = it->second;
  bool handled = handler(message, wParam, lParam, &r);
  // An unhandled message leaves the answer as it was.
  if (handled && result) *result = r;
  return handled;
}

void FakeNotifyArea::RestartTaskbar() {
  shown.clear();
  refuseAdd = false;
  for (Hwnd w : Windows()) Send(w, kTaskbarCreated, 0, 0);
}

std::vector<Hwnd> FakeNotifyArea::Windows() const {
  std::vector<Hwnd> out;
  for (auto& [w, h] : windows_) out.push_back(w);
  return out;
}

// ---- file dialogs ----

bool FakeFileDialogs::GetOpenFileNameA(Hwnd owner, const FileDialogOptions& options, std::string* path) {
  opened.push_back(options);
  owners.push_back(owner);
  return answerOpen && answerOpen(options, path);
}

bool FakeFileDialogs::GetSaveFileNameA(Hwnd owner, const FileDialogOptions& options, std::string* path) {
  saved.push_back(options);
  owners.push_back(owner);
  return answerSave && answerSave(options, path);
}

}  // namespace nimbul::platform::fake
