#include "platform/win32/win32_code_pages.h"

#include <windows.h>

#include <vector>

namespace nimbul::platform::win32 {

namespace {
// WC_ERR_INVALID_CHARS, which the headers hide below Windows Vista's version number.
constexpr DWORD kErrInvalidChars = 0x80;
}  // namespace

bool AnsiToCodePage(const std::string& ansi, unsigned codePage, std::string* out) {
  out->clear();
  if (ansi.empty()) return true;
  int size = static_cast<int>(ansi.size());
  int wide = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), size, nullptr, 0);
  if (wide <= 0) return false;
  // Vectors, not wide strings: those would link a whole instantiation of the
  // wide string class into the program for two buffers.
  std::vector<wchar_t> w(static_cast<std::size_t>(wide));
  if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), size, &w[0], wide) != wide) return false;
  // No best fit: a character the target page lacks must fail, not turn into
  // a look-alike that names another file. UTF-8 (the OEM page when the
  // system's "worldwide language support" option is on) takes neither that
  // flag nor a default-character report: it fails on what it can't encode.
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? kErrInvalidChars : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* reportDefault = utf8 ? nullptr : &usedDefault;
  int bytes = ::WideCharToMultiByte(codePage, flags, w.data(), wide, nullptr, 0, nullptr, reportDefault);
  if (bytes <= 0 || usedDefault) return false;
  std::string converted(static_cast<std::size_t>(bytes), '\0');
  if (::WideCharToMultiByte(codePage, flags, w.data(), wide, &converted[0], bytes, nullptr, reportDefault) != bytes ||
      usedDefault)
    return false;
  // A round trip proves that the converted text names the same characters.
  int back = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, converted.data(), bytes, nullptr, 0);
  std::vector<wchar_t> check(static_cast<std::size_t>(back > 0 ? back : 0));
  if (back <= 0 ||
      ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, converted.data(), bytes, &check[0], back) != back ||
      check != w)
    return false;
  *out = std::move(converted);
  return true;
}

bool Win32CodePages::ToOemCodePage(const std::string& ansi, std::string* oem) {
  return AnsiToCodePage(ansi, ::GetOEMCP(), oem);
}

bool Win32CodePages::IsLeadByte(char byte) { return ::IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE; }

std::string Win32CodePages::ToLower(const std::string& ansi) {
  std::string out = ansi;
  // The system walks the text by character in the ANSI code page.
  if (!out.empty()) ::CharLowerBuffA(&out[0], static_cast<DWORD>(out.size()));
  return out;
}

}  // namespace nimbul::platform::win32
