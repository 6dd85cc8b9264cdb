// The base of every end-to-end test: a profile without Nimbulon before the
// test, a screenshot when it failed, and no process left behind after it.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "nimbul_app.h"
#include "targets_client.h"

namespace nimbul::e2e {

class E2eTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Started programs belong to the test and end with it.
  NimbulApp& StartNimbul(const StartOptions& options = {});
  Targets& OpenTargets(const std::vector<TargetSpec>& windows);

 private:
  std::deque<NimbulApp> apps_;
  std::deque<Targets> targets_;
};

// Where a failing test's screenshot goes: NIMBUL_SCREENSHOTS when set, else
// ..\e2e-screenshots beside the driver's folder.
std::string ScreenshotPathFor(const ::testing::TestInfo& test);

}  // namespace nimbul::e2e
