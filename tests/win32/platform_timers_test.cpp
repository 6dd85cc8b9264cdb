// Timers deliver their ticks through the message loop of the creating thread.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/win32_timers.h"
#include "platform_support.h"

namespace nimbul::platform::win32 {
namespace {

using testing::PumpFor;
using testing::PumpUntil;

TEST(TimersTest, TicksArriveWhilePumpingAndStopWhenKilled) {
  Win32Timers timers;
  int ticks = 0;
  std::uint32_t id = timers.StartTimer(30, [&] { ++ticks; });
  ASSERT_NE(id, 0u);
  ::Sleep(100);
  EXPECT_EQ(ticks, 0) << "no tick runs outside the message loop";
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000));
  timers.KillTimer(id);
  int atKill = ticks;
  PumpFor(200);
  EXPECT_EQ(ticks, atKill);
}

TEST(TimersTest, TickMayKillItsOwnTimer) {
  Win32Timers timers;
  int ticks = 0;
  std::uint32_t id = 0;
  id = timers.StartTimer(20, [&] {
    ++ticks;
    timers.KillTimer(id);
  });
  ASSERT_TRUE(PumpUntil([&] { return ticks > 0; }, 3000));
  PumpFor(150);
  EXPECT_EQ(ticks, 1);
}

TEST(TimersTest, TimersOfTwoObjectsAreIndependent) {
  Win32Timers first, second;
  int a = 0, b = 0;
  std::uint32_t ida = first.StartTimer(20, [&] { ++a; });
  std::uint32_t idb = second.StartTimer(25, [&] { ++b; });
  ASSERT_NE(ida, 0u);
  ASSERT_EQ(ida, idb) << "each object numbers its own timers";
  ASSERT_TRUE(PumpUntil([&] { return a >= 2 && b >= 2; }, 3000));
  second.KillTimer(idb);
  int aAtKill = a, bAtKill = b;
  PumpFor(150);
  EXPECT_EQ(b, bAtKill);
  EXPECT_GT(a, aAtKill) << "killing the other object's timer left this one running";
  first.KillTimer(ida);
}

TEST(TimersTest, DestroyingTheObjectStopsItsTimers) {
  int ticks = 0;
  {
    Win32Timers timers;
    timers.StartTimer(10, [&] { ++ticks; });
    ::Sleep(50);  // let a tick fall due before the object goes
  }
  PumpFor(100);
  EXPECT_EQ(ticks, 0);
}

TEST(TimersTest, ClockCountsMilliseconds) {
  Win32Timers timers;
  std::uint64_t before = timers.Now();
  ::Sleep(200);
  std::uint64_t elapsed = timers.Now() - before;
  EXPECT_GE(elapsed, 180u);
  EXPECT_LT(elapsed, 2000u);
}

}  // namespace
}  // namespace nimbul::platform::win32
