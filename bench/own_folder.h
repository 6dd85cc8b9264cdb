// The folder of the running benchmark, where the programs it starts lie beside it.
#pragma once
#include <windows.h>

#include <string>

namespace nimbul::bench {

inline std::string OwnFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, length);
  return s.substr(0, s.find_last_of("\\/") + 1);
}

}  // namespace nimbul::bench
