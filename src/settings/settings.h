// The settings store: the one way into the registry, and the layout of every
// key and value the program keeps there.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace nimbul::settings {

// Keys.
inline constexpr const char* kSettingsKey = "Software\\Quendel-Soft\\Nimbul";
inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kAppPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Nimbul.exe";
inline constexpr const char* kRunValue = "Nimbulon";
// The record of the windows the program keeps hidden; it lives until logoff.
inline constexpr const char* kHiddenJournalKey = "Software\\Quendel-Soft\\Nimbul\\Hidden";

// An accessor for one operation: created, used and released by one handler.
// Failures are thrown as nimbul::Error with the texts the program shows.
class SettingsAccessor {
 public:
  explicit SettingsAccessor(platform::Registry& registry);
  ~SettingsAccessor();
  SettingsAccessor(const SettingsAccessor&) = delete;
  SettingsAccessor& operator=(const SettingsAccessor&) = delete;

  // Switching the root closes any open key.
  void SetRoot(platform::Hkey root);
  // Opens (with create: creates when missing) a key below the root. A path
  // with a leading backslash is taken from the root. Returns success.
  bool OpenKey(const std::string& path, bool create);
  void CloseKey();
  // Opens (creating when missing) a key below the root that lives only until
  // the user logs off. Returns success.
  bool OpenVolatileKey(const std::string& path);

  bool HasValue(const std::string& name);
  bool GetFlag(const std::string& name);
  void SetFlag(const std::string& name, bool value);
  std::int32_t GetNumber(const std::string& name);
  void SetNumber(const std::string& name, std::int32_t value);
  std::string GetTextValue(const std::string& name);
  void SetTextValue(const std::string& name, const std::string& value);
  bool RemoveValue(const std::string& name);

  // The open key's path below the root; empty while no key is open.
  const std::string& CurrentPath() const { return path_; }

 private:
  std::vector<std::uint8_t> ReadData(const std::string& name, std::uint32_t* type);
  std::uint32_t ReadDword(const std::string& name);
  void WriteData(const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data);

  platform::Registry& registry_;
  platform::Hkey root_ = platform::kHkeyCurrentUser;
  platform::KeyOwner key_;
  std::string path_;
};

}  // namespace nimbul::settings
