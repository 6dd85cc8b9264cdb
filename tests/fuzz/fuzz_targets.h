// The program's parsers as fuzz targets: each takes any bytes and says
// whether everything it promises held. libFuzzer runs them by the million
// (`make fuzz`); the unit suite replays the corpora beside them.
#pragma once
#include <cstddef>
#include <cstdint>

namespace nimbul::fuzz {

using Target = bool (*)(const std::uint8_t* data, std::size_t size);

struct NamedTarget {
  const char* name;  // also the folder of its corpus
  Target run;
};

bool IcoFile(const std::uint8_t* data, std::size_t size);
bool Jpeg(const std::uint8_t* data, std::size_t size);
bool VersionDescription(const std::uint8_t* data, std::size_t size);
bool SettingsValue(const std::uint8_t* data, std::size_t size);
bool ColorText(const std::uint8_t* data, std::size_t size);
bool ShortcutText(const std::uint8_t* data, std::size_t size);
bool CommandLine(const std::uint8_t* data, std::size_t size);
bool JournalRecord(const std::uint8_t* data, std::size_t size);

inline constexpr NamedTarget kTargets[] = {
    {"ico", IcoFile},
    {"jpeg", Jpeg},
    {"version", VersionDescription},
    {"settings", SettingsValue},
    {"color", ColorText},
    {"shortcut", ShortcutText},
    {"command_line", CommandLine},
    {"journal", JournalRecord},
};

}  // namespace nimbul::fuzz
