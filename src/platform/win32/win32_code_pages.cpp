#include "platform/win32/win32_code_pages.h"

#include <windows.h>

#include <vector>

namespace nimbul::platform::win32 {

bool Win32CodePages::ToOemCodePage(const std::string& ansi, std::string* oem) {
  oem->clear();
  if (ansi.empty()) return true;
  int size = static_cast<int>(ansi.size());
  int wide = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), size, nullptr, 0);
  if (wide <= 0) return false;
  // Vectors, not wide strings: those would link a whole instantiation of the
  // wide string class into the program for two buffers.
  std::vector<wchar_t> w(static_cast<std::size_t>(wide));
  if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), size, &w[0], wide) != wide) return false;
  BOOL usedDefault = FALSE;
  // No best fit: a character the OEM page lacks must fail, not turn into a
  // look-alike that names another file.
  int bytes = ::WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, w.data(), wide, nullptr, 0, nullptr,
                                    &usedDefault);
  if (bytes <= 0 || usedDefault) return false;
  std::string out(static_cast<std::size_t>(bytes), '\0');
  usedDefault = FALSE;
  if (::WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, w.data(), wide, &out[0], bytes, nullptr,
                            &usedDefault) != bytes ||
      usedDefault)
    return false;
  // A round trip proves that the OEM text names the same characters.
  int back = ::MultiByteToWideChar(CP_OEMCP, MB_ERR_INVALID_CHARS, out.data(), bytes, nullptr, 0);
  std::vector<wchar_t> check(static_cast<std::size_t>(back > 0 ? back : 0));
  if (back <= 0 || ::MultiByteToWideChar(CP_OEMCP, MB_ERR_INVALID_CHARS, out.data(), bytes, &check[0], back) != back ||
      check != w)
    return false;
  *oem = std::move(out);
  return true;
}

}  // namespace nimbul::platform::win32
