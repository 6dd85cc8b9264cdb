// libFuzzer's entry: NIMBUL_FUZZ_TARGET names the parser this run feeds.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz_targets.h"

namespace {
nimbul::fuzz::Target g_target = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* name = std::getenv("NIMBUL_FUZZ_TARGET");
  for (const auto& t : nimbul::fuzz::kTargets)
    if (name && std::strcmp(name, t.name) == 0) g_target = t.run;
  if (!g_target) {
    std::fprintf(stderr, "NIMBUL_FUZZ_TARGET must name a parser:");
    for (const auto& t : nimbul::fuzz::kTargets) std::fprintf(stderr, " %s", t.name);
    std::fprintf(stderr, "\n");
    std::exit(2);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A promise broken is a finding: libFuzzer keeps the input that did it.
  if (!g_target(data, size)) std::abort();
  return 0;
}
