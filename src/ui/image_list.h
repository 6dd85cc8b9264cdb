// A list of icons shown by menus, tool bars and list views.
#pragma once
#include <string>
#include <vector>

#include "platform/types.h"
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
  // Icons added at run time. The list does not own them: whoever fills it
  // destroys the icons it put in before the next Clear.
  const std::vector<platform::Hicon>& Icons() const { return icons_; }
  int Add(platform::Hicon icon) { icons_.push_back(icon); ++generation_; return static_cast<int>(icons_.size()) - 1; }
  void Clear() { icons_.clear(); ++generation_; }
  int Count() const { return static_cast<int>(icons_.size()); }
  // Changes whenever the contents change, so peers know when to rebuild.
  unsigned Generation() const { return generation_; }

 private:
  int width_, height_;
  std::string resource_;
  std::vector<platform::Hicon> icons_;
  unsigned generation_ = 0;
};

}  // namespace nimbul::ui
