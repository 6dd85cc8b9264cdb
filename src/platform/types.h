// Handle and value types shared by every platform service.
#pragma once
#include <cstdint>
#include <string>
#include <type_traits>

namespace nimbul::platform {

// Window, icon, key and kernel handles are 32-bit on the target system. Each
// kind is a type of its own, so one can never be passed where another is
// meant; the portable code only passes them around and writes them as numbers.
enum class Hwnd : std::uint32_t {};
enum class Hicon : std::uint32_t {};
enum class Hkey : std::uint32_t {};
enum class Handle : std::uint32_t {};
enum class Atom : std::uint16_t {};

// The handle's number, as the system would print it.
template <class H>
constexpr auto Raw(H h) {
  return static_cast<std::underlying_type_t<H>>(h);
}
// No window, no icon, no key.
template <class H>
constexpr bool IsNull(H h) {
  return Raw(h) == 0;
}

// Show commands of the window manager.
constexpr int kSwHide = 0;
constexpr int kSwShowNormal = 1;
constexpr int kSwShowMinimized = 2;
constexpr int kSwShowNoActivate = 4;
constexpr int kSwShow = 5;
constexpr int kSwMinimize = 6;
constexpr int kSwRestore = 9;

// GetWindow commands.
constexpr unsigned kGwHwndNext = 2;

// Class-long and window-long indexes.
constexpr int kGclHiconSm = -34;
constexpr int kGclHicon = -14;
constexpr int kGwlHwndParent = -8;

// System metrics.
constexpr int kSmCyScreen = 1;
constexpr int kSmCxBorder = 5;
constexpr int kSmCxHscroll = 21;

// SystemParametersInfo action that switches the system key combinations.
constexpr unsigned kSpiSetScreenSaverRunning = 97;

// Message box flags and results.
constexpr unsigned kMbOk = 0x0;
constexpr unsigned kMbOkCancel = 0x1;
constexpr unsigned kMbYesNo = 0x4;
constexpr unsigned kMbIconStop = 0x10;  // also MB_ICONERROR
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconWarning = 0x30;
constexpr unsigned kMbIconInformation = 0x40;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Error codes the program looks at.
constexpr std::uint32_t kErrorSuccess = 0;
constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorAccessDenied = 5;
constexpr std::uint32_t kErrorAlreadyExists = 183;

}  // namespace nimbul::platform
