// A list of icons shown by menus, tool bars and list views.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/owner.h"
#include "ui/peer.h"

namespace nimbul::ui {

class ImageList {
 public:
  ImageList(int width, int height) : width_(width), height_(height) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  // A strip of images from the program's resources (one resource, one image per column).
  const std::string& ResourceName() const { return resource_; }
  void SetResourceName(const std::string& r) {
    resource_ = r;
    ++generation_;
  }
  // Icons added at run time. The list owns them: Clear and the list's end destroy them.
  std::vector<platform::Hicon> Icons() const {
    std::vector<platform::Hicon> out;
    for (int i = 0; i < Count(); ++i) out.push_back(Icon(i));
    return out;
  }
  // The icon at `index`, made now if it was added for later; null when out of range.
  platform::Hicon Icon(int index) const {
    if (index < 0 || index >= Count()) return {};
    Entry& e = entries_[static_cast<std::size_t>(index)];
    if (e.source) {
      e.icon = e.source();
      e.source = nullptr;
    }
    return e.icon.get();
  }
  int Add(platform::IconOwner icon) { return Append(Entry{std::move(icon), nullptr}); }
  // An icon made only when it is first asked for: a list of many icons costs
  // nothing until it is shown or one of them is used.
  int AddLater(std::function<platform::IconOwner()> source) { return Append(Entry{{}, std::move(source)}); }
  void Clear() {
    entries_.clear();
    ++generation_;
  }
  int Count() const { return static_cast<int>(entries_.size()); }
  // Changes whenever the contents change, so peers know when to rebuild.
  unsigned Generation() const { return generation_; }

 private:
  struct Entry {
    platform::IconOwner icon;
    std::function<platform::IconOwner()> source;
  };
  int Append(Entry e) {
    entries_.push_back(std::move(e));
    ++generation_;
    return Count() - 1;
  }

  int width_, height_;
  std::string resource_;
  mutable std::vector<Entry> entries_;
  unsigned generation_ = 0;
};

}  // namespace nimbul::ui
