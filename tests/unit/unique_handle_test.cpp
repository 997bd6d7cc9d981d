#include "common/unique_handle.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace kz {
namespace {

// Handles are numbers; 0 marks "none", as null does for many Windows handles. Every close is
// written down, so a handle closed twice or never shows up in the list.
std::vector<int> closed;

struct CountedPolicy {
  using Handle = int;
  static Handle Invalid() noexcept { return 0; }
  static void Close(Handle handle) noexcept { closed.push_back(handle); }
};
using Counted = UniqueHandle<CountedPolicy>;

struct UniqueHandleTest : ::testing::Test {
  void SetUp() override { closed.clear(); }
};

TEST_F(UniqueHandleTest, EachHandleIsClosedExactlyOnceWhateverPathItTakes) {
  {
    Counted empty;
    Counted failed(CountedPolicy::Invalid());
    EXPECT_FALSE(empty);
    EXPECT_FALSE(failed);
  }
  EXPECT_TRUE(closed.empty());  // nothing to close for an owner that never held a handle

  {
    Counted first(1);
    Counted second(std::move(first));
    EXPECT_FALSE(first);  // the moved-from owner is empty
    EXPECT_EQ(second.get(), 1);
    Counted third(3);
    third = std::move(second);  // 3 is closed at once, 1 lives on in `third`
    EXPECT_EQ(closed, std::vector<int>{3});
    auto& alias = third;
    third = std::move(alias);  // assigning an owner to itself keeps the handle open
    EXPECT_EQ(third.get(), 1);
  }
  EXPECT_EQ(closed, (std::vector<int>{3, 1}));
}

TEST_F(UniqueHandleTest, ResetClosesTheOldHandleAndReleaseClosesNothing) {
  Counted owner(5);
  owner.reset(6);
  EXPECT_EQ(closed, std::vector<int>{5});
  EXPECT_EQ(owner.release(), 6);
  EXPECT_FALSE(owner);
  owner.reset();
  EXPECT_EQ(closed, std::vector<int>{5});  // 6 belongs to whoever took it
  owner.reset(7);
  owner.reset();
  EXPECT_EQ(closed, (std::vector<int>{5, 7}));
  EXPECT_FALSE(owner);
}

}  // namespace
}  // namespace kz
