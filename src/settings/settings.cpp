#include "settings/settings.h"

#include <utility>
#include <vector>

#include "base/error.h"

namespace nimbul::settings {

namespace {

constexpr const char* kSetFailed = "Failed to set data for '%s'";
constexpr const char* kGetFailed = "Failed to get data for '%s'";
constexpr const char* kBadType = "Invalid data type for '%s'";
constexpr std::size_t kDwordSize = 4;

[[noreturn]] void Fail(const char* pattern, const std::string& name) { throw Error(FormatText(pattern, name)); }

std::vector<std::uint8_t> DwordBytes(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
          static_cast<std::uint8_t>(v >> 24)};
}

}  // namespace

SettingsAccessor::SettingsAccessor(platform::Registry& registry) : registry_(registry) {}

SettingsAccessor::~SettingsAccessor() { CloseKey(); }

void SettingsAccessor::SetRoot(platform::Hkey root) {
  CloseKey();
  root_ = root;
}

bool SettingsAccessor::OpenKey(const std::string& path, bool create) {
  const bool fromRoot = !path.empty() && path.front() == '\\';
  const bool belowOpenKey = !fromRoot && key_;
  // The system refuses sub-key paths with a leading backslash; it only tells
  // us to start from the root.
  const std::string sub = fromRoot ? path.substr(1) : path;
  const platform::Hkey base = belowOpenKey ? key_.get() : root_;
  platform::KeyOwner opened;
  const std::uint32_t status = create ? registry_.RegCreateKeyExA(base, sub, platform::kKeyAllAccess, &opened)
                                      : registry_.RegOpenKeyExA(base, sub, platform::kKeyAllAccess, &opened);
  const std::string newPath = belowOpenKey && !sub.empty() ? path_ + "\\" + sub : belowOpenKey ? path_ : sub;
  // Even on failure the old key is let go: a write that follows must fail
  // rather than land in the key that happened to be open before.
  CloseKey();
  if (status != platform::kErrorSuccess) return false;
  key_ = std::move(opened);
  path_ = newPath;
  return true;
}

bool SettingsAccessor::OpenVolatileKey(const std::string& path) {
  CloseKey();
  platform::KeyOwner opened;
  if (registry_.RegCreateVolatileKeyA(root_, path, platform::kKeyAllAccess, &opened) != platform::kErrorSuccess)
    return false;
  key_ = std::move(opened);
  path_ = path;
  return true;
}

void SettingsAccessor::CloseKey() {
  key_.reset();
  path_.clear();
}

bool SettingsAccessor::HasValue(const std::string& name) {
  if (!key_) return false;
  std::uint32_t type = platform::kRegNone;
  return registry_.RegQueryValueExA(key_.get(), name, &type, nullptr) == platform::kErrorSuccess;
}

std::vector<std::uint8_t> SettingsAccessor::ReadData(const std::string& name, std::uint32_t* type) {
  if (!key_) Fail(kGetFailed, name);
  std::vector<std::uint8_t> data;
  if (registry_.RegQueryValueExA(key_.get(), name, type, &data) != platform::kErrorSuccess) Fail(kGetFailed, name);
  return data;
}

std::uint32_t SettingsAccessor::ReadDword(const std::string& name) {
  std::uint32_t type = platform::kRegNone;
  const std::vector<std::uint8_t> data = ReadData(name, &type);
  // A DWORD of any other length is as unusable as one of another type.
  if (type != platform::kRegDword || data.size() != kDwordSize) Fail(kBadType, name);
  return static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
         static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
}

void SettingsAccessor::WriteData(const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) {
  if (!key_ || registry_.RegSetValueExA(key_.get(), name, type, data) != platform::kErrorSuccess)
    Fail(kSetFailed, name);
}

bool SettingsAccessor::GetFlag(const std::string& name) { return ReadDword(name) != 0; }

void SettingsAccessor::SetFlag(const std::string& name, bool value) {
  WriteData(name, platform::kRegDword, DwordBytes(value ? 1 : 0));
}

std::int32_t SettingsAccessor::GetNumber(const std::string& name) { return static_cast<std::int32_t>(ReadDword(name)); }

void SettingsAccessor::SetNumber(const std::string& name, std::int32_t value) {
  WriteData(name, platform::kRegDword, DwordBytes(static_cast<std::uint32_t>(value)));
}

std::string SettingsAccessor::GetTextValue(const std::string& name) {
  if (!key_) Fail(kGetFailed, name);
  std::uint32_t type = platform::kRegNone;
  std::vector<std::uint8_t> data;
  const std::uint32_t status = registry_.RegQueryValueExA(key_.get(), name, &type, &data);
  if (status == platform::kErrorFileNotFound) return std::string();
  if (status != platform::kErrorSuccess) Fail(kGetFailed, name);
  if (type != platform::kRegSz && type != platform::kRegExpandSz) Fail(kBadType, name);
  std::string text(data.begin(), data.end());
  // Text stored without its terminator is taken whole.
  const std::size_t end = text.find('\0');
  if (end != std::string::npos) text.resize(end);
  return text;
}

void SettingsAccessor::SetTextValue(const std::string& name, const std::string& value) {
  std::vector<std::uint8_t> data(value.begin(), value.end());
  data.push_back(0);
  WriteData(name, platform::kRegSz, data);
}

bool SettingsAccessor::RemoveValue(const std::string& name) {
  return key_ && registry_.RegDeleteValueA(key_.get(), name) == platform::kErrorSuccess;
}

}  // namespace nimbul::settings
