#include "version_resource.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace nimbul::e2e {
namespace {

std::optional<std::vector<char>> VersionBlock(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return std::nullopt;
  return block;
}

std::optional<VS_FIXEDFILEINFO> FixedInfo(const std::string& path) {
  auto block = VersionBlock(path);
  if (!block) return std::nullopt;
  void* data = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block->data(), "\\", &data, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  return *static_cast<VS_FIXEDFILEINFO*>(data);
}

std::string FourParts(DWORD most, DWORD least) {
  char text[64];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", static_cast<unsigned>(HIWORD(most)),
                static_cast<unsigned>(LOWORD(most)), static_cast<unsigned>(HIWORD(least)),
                static_cast<unsigned>(LOWORD(least)));
  return text;
}

}  // namespace

std::optional<std::string> FixedFileVersion(const std::string& path) {
  auto info = FixedInfo(path);
  if (!info) return std::nullopt;
  return FourParts(info->dwFileVersionMS, info->dwFileVersionLS);
}

std::optional<std::string> FixedProductVersion(const std::string& path) {
  auto info = FixedInfo(path);
  if (!info) return std::nullopt;
  return FourParts(info->dwProductVersionMS, info->dwProductVersionLS);
}

std::optional<std::string> VersionString(const std::string& path, const std::string& name) {
  auto block = VersionBlock(path);
  if (!block) return std::nullopt;
  struct Translation {
    WORD language;
    WORD codePage;
  };
  void* data = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block->data(), "\\VarFileInfo\\Translation", &data, &length) || length < sizeof(Translation)) {
    return std::nullopt;
  }
  const auto* t = static_cast<const Translation*>(data);
  char subBlock[128];
  std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%04x%04x\\%s", t->language, t->codePage, name.c_str());
  if (!VerQueryValueA(block->data(), subBlock, &data, &length) || length == 0) return std::nullopt;
  return std::string(static_cast<const char*>(data));
}

}  // namespace nimbul::e2e
