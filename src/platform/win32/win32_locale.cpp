#include "platform/win32/win32_locale.h"

#include <windows.h>

namespace nimbul::platform::win32 {

namespace {
std::string UserLocaleText(LCTYPE what, const char* fallback) {
  char text[16] = {};
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, what, text, sizeof text) <= 1) return fallback;
  return text;
}
}  // namespace

std::string Win32Locale::DateSeparator() { return UserLocaleText(LOCALE_SDATE, "/"); }
std::string Win32Locale::TimeSeparator() { return UserLocaleText(LOCALE_STIME, ":"); }

}  // namespace nimbul::platform::win32
