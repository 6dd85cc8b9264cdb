#include "platform/fake/fake_desktop.h"
#include "platform/jpeg.h"

namespace nimbul::platform::fake {

Picture FakePictures::LoadJpegResource(const std::string& resourceName) {
  ++loads;
  auto it = resources.find(resourceName);
  if (it == resources.end()) return {};
  const std::string& bytes = it->second;
  auto image = DecodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  if (!image) return {};
  const std::uint32_t id = next_++;
  live_.insert(id);
  return Picture(BitmapOwner(Hbitmap{id}, [this](Hbitmap h) { live_.erase(Raw(h)); }), image->width, image->height);
}

}  // namespace nimbul::platform::fake
