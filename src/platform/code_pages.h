// The system's code pages: conversions, and text taken character by
// character, where a character of a double-byte code page is two bytes.
#pragma once
#include <cstddef>
#include <string>

namespace nimbul::platform {

class CodePages {
 public:
  virtual ~CodePages() = default;
  // Converts text of the ANSI code page to the OEM code page, the one batch
  // files are read in. False when some character has no exact counterpart.
  virtual bool ToOemCodePage(const std::string& ansi, std::string* oem) = 0;
  // True when the byte begins a two-byte character of the ANSI code page.
  virtual bool IsLeadByte(char byte) = 0;
  // The ANSI text with its letters in lower case, as the system's locale has
  // them; a two-byte character is never split or changed half.
  virtual std::string ToLower(const std::string& ansi) = 0;
};

// Where the last part of a path begins: after its last "\\", "/" or ":". The
// second byte of a double-byte character may look like a backslash and is none.
std::size_t FileNameStart(const std::string& path, CodePages& codePages);

// At most `maxBytes` bytes of the text, ending on a whole character.
std::string CutToWholeCharacters(const std::string& text, std::size_t maxBytes, CodePages& codePages);

}  // namespace nimbul::platform
