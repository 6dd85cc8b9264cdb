// A library named like the system's version library, as anyone could leave
// it beside a downloaded Nimbul.exe. It exports what the program uses, so a
// program that loaded it would run on with it; it knows no version. The
// other functions of the library are handed on to the system (version.def).
#include <windows.h>

extern "C" {

DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR, LPDWORD handle) {
  if (handle) *handle = 0;
  return 0;
}

BOOL WINAPI GetFileVersionInfoA(LPCSTR, DWORD, DWORD, LPVOID) { return FALSE; }

BOOL WINAPI VerQueryValueA(LPCVOID, LPCSTR, LPVOID*, PUINT) { return FALSE; }

}  // extern "C"
