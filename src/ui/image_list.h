// A list of icons shown by menus, tool bars and list views.
#pragma once
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
  void SetResourceName(const std::string& r) { resource_ = r; ++generation_; }
  // Icons added at run time. The list owns them: Clear and the list's end destroy them.
  std::vector<platform::Hicon> Icons() const {
    std::vector<platform::Hicon> out;
    for (const auto& i : icons_) out.push_back(i.get());
    return out;
  }
  int Add(platform::IconOwner icon) {
    icons_.push_back(std::move(icon));
    ++generation_;
    return static_cast<int>(icons_.size()) - 1;
  }
  void Clear() { icons_.clear(); ++generation_; }
  int Count() const { return static_cast<int>(icons_.size()); }
  // Changes whenever the contents change, so peers know when to rebuild.
  unsigned Generation() const { return generation_; }

 private:
  int width_, height_;
  std::string resource_;
  std::vector<platform::IconOwner> icons_;
  unsigned generation_ = 0;
};

}  // namespace nimbul::ui
