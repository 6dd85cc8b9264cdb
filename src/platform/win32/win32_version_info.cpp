#include "platform/win32/win32_version_info.h"

#include <windows.h>

#include <vector>

#include "platform/win32/late_bound.h"

namespace nimbul::platform::win32 {

namespace {
constexpr DWORD kFixedFileInfoSignature = 0xFEEF04BD;
}  // namespace

std::optional<std::array<std::uint16_t, 4>> Win32VersionInfo::FileVersion(const std::string& path) {
  // The version library comes from the system folder when first needed: a
  // copy beside the program is never loaded with it.
  static auto* const infoSize =
      LateBound<decltype(::GetFileVersionInfoSizeA)>("version.dll", "GetFileVersionInfoSizeA");
  static auto* const info = LateBound<decltype(::GetFileVersionInfoA)>("version.dll", "GetFileVersionInfoA");
  static auto* const queryValue = LateBound<decltype(::VerQueryValueA)>("version.dll", "VerQueryValueA");
  if (!infoSize || !info || !queryValue) return std::nullopt;
  DWORD ignored = 0;
  DWORD size = infoSize(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<char> block(size);
  if (!info(path.c_str(), 0, size, block.data())) return std::nullopt;
  void* root = nullptr;
  UINT length = 0;
  // Sub-block "\" is the root block: the fixed file information.
  if (!queryValue(block.data(), "\\", &root, &length) || root == nullptr) return std::nullopt;
  if (length < sizeof(VS_FIXEDFILEINFO)) return std::nullopt;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(root);
  if (fixed->dwSignature != kFixedFileInfoSignature) return std::nullopt;
  return std::array<std::uint16_t, 4>{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                                      HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
}

}  // namespace nimbul::platform::win32
