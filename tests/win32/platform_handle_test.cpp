// The owned-handle template: exactly one close per handle taken.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/win32/handle.h"

namespace nimbul::platform::win32 {
namespace {

std::vector<int> closed;

struct CountingPolicy {
  using Value = int;
  static Value Invalid() { return -1; }
  static void Close(Value v) { closed.push_back(v); }
};
using Counted = UniqueHandle<CountingPolicy>;

class HandleTest : public ::testing::Test {
 protected:
  void SetUp() override { closed.clear(); }
};

TEST_F(HandleTest, ClosesOnceWhenItGoesAndNeverTheInvalidValue) {
  {
    Counted a(3), none;
    EXPECT_TRUE(a);
    EXPECT_FALSE(none);
  }
  EXPECT_EQ(closed, std::vector<int>{3});
}

TEST_F(HandleTest, MovingHandsOverOwnership) {
  {
    Counted a(1);
    Counted b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.get(), 1);
    Counted c(2);
    c = std::move(b);  // closes 2, takes 1
    EXPECT_EQ(closed, std::vector<int>{2});
    EXPECT_EQ(c.get(), 1);
  }
  EXPECT_EQ(closed, (std::vector<int>{2, 1}));
}

TEST_F(HandleTest, ReleaseGivesUpAndResetReplaces) {
  Counted a(5);
  EXPECT_EQ(a.release(), 5);
  EXPECT_FALSE(a);
  a.reset(6);
  a.reset(7);
  a.reset();
  EXPECT_EQ(closed, (std::vector<int>{6, 7}));
}

TEST_F(HandleTest, KernelHandleIsReallyClosed) {
  HANDLE raw = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(raw, nullptr);
  { KernelHandle event(raw); }
  DWORD flags = 0;
  EXPECT_FALSE(::GetHandleInformation(raw, &flags)) << "closed with its owner";

  FileHandle failed(::CreateFileA("Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(failed) << "INVALID_HANDLE_VALUE owns nothing";
}

TEST_F(HandleTest, AtomReferenceIsGivenBack) {
  ATOM atom = ::GlobalAddAtomA("NimbulHandleTestAtom");
  ASSERT_NE(atom, 0);
  { AtomRef ref(atom); }
  EXPECT_EQ(::GlobalFindAtomA("NimbulHandleTestAtom"), 0);
}

}  // namespace
}  // namespace nimbul::platform::win32
