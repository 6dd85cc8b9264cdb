#include "publish.h"

#include <cstdint>

#include "update/integrity.h"

namespace nimbul::tools {

namespace {
std::uint32_t At32(const std::string& b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
}  // namespace

std::optional<update::Version> ImageFileVersion(const std::string& b) {
  // The fixed file information starts with this signature, then the
  // structure version, then the file version's two 32-bit halves.
  constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
  for (std::size_t at = 0; at + 16 <= b.size(); at += 4) {
    if (At32(b, at) != kFixedInfoSignature) continue;
    std::uint32_t ms = At32(b, at + 8), ls = At32(b, at + 12);
    return update::Version{ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF};
  }
  return std::nullopt;
}

std::string DescriptionFor(const std::string& programBytes, const std::string& url,
                           const std::string& secretKeyHex) {
  std::optional<update::Version> v = ImageFileVersion(programBytes);
  if (!v) return std::string();
  std::string version = std::to_string((*v)[0]) + "." + std::to_string((*v)[1]) + "." + std::to_string((*v)[2]) +
                        "." + std::to_string((*v)[3]);
  std::string text = update::SignedPart(version, url, update::Sha256Hex(programBytes));
  if (secretKeyHex.empty()) return text;
  std::string signature = update::SignHex(text, secretKeyHex);
  if (signature.empty()) return std::string();
  return text + signature + "\r\n";
}

}  // namespace nimbul::tools
