#include "platform/win32/win32_version_info.h"

#include <windows.h>

#include <vector>

namespace nimbul::platform::win32 {

namespace {
constexpr DWORD kFixedFileInfoSignature = 0xFEEF04BD;
}  // namespace

std::optional<std::array<std::uint16_t, 4>> Win32VersionInfo::FileVersion(const std::string& path) {
  DWORD ignored = 0;
  DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<char> block(size);
  if (!::GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return std::nullopt;
  void* root = nullptr;
  UINT length = 0;
  // Sub-block "\" is the root block: the fixed file information.
  if (!::VerQueryValueA(block.data(), "\\", &root, &length) || root == nullptr) return std::nullopt;
  if (length < sizeof(VS_FIXEDFILEINFO)) return std::nullopt;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(root);
  if (fixed->dwSignature != kFixedFileInfoSignature) return std::nullopt;
  return std::array<std::uint16_t, 4>{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                                      HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
}

}  // namespace nimbul::platform::win32
