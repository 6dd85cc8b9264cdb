// The fuzzers' corpora, replayed: every kept input still keeps every promise
// of its parser (`make fuzz` runs the parsers on a million inputs each).
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <iterator>
#include <string>

#include "fuzz_targets.h"

namespace {

std::string CorpusFolder(const std::string& name) {
  return std::string(NIMBUL_SOURCE_DIR) + "/tests/fuzz/corpus/" + name + "/";
}

TEST(FuzzCorpus, EveryKeptInputKeepsItsParsersPromises) {
  for (const auto& target : nimbul::fuzz::kTargets) {
    const std::string folder = CorpusFolder(target.name);
    DIR* dir = opendir(folder.c_str());
    ASSERT_NE(dir, nullptr) << folder;
    int inputs = 0;
    while (const dirent* e = readdir(dir)) {
      if (e->d_name[0] == '.') continue;
      std::ifstream in(folder + e->d_name, std::ios::binary);
      const std::string bytes{std::istreambuf_iterator<char>(in), {}};
      EXPECT_TRUE(target.run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))
          << target.name << ": " << e->d_name;
      ++inputs;
    }
    closedir(dir);
    EXPECT_GT(inputs, 0) << target.name;
  }
}

}  // namespace
