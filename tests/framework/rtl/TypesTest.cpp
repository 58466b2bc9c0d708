#include "framework/rtl/Types.h"

#include <gtest/gtest.h>

using namespace framework;

TEST(Rectangles, AUnionHoldsBothAndAnEmptyOneCountsAsNothing) {
    EXPECT_EQ(UnionRect(Rect(0, 0, 10, 10), Rect(5, -5, 20, 8)), Rect(0, -5, 20, 10));
    EXPECT_EQ(UnionRect(Rect(3, 3, 3, 9), Rect(5, 5, 6, 6)), Rect(5, 5, 6, 6));
    EXPECT_EQ(UnionRect(Rect(5, 5, 6, 6), TRect{}), Rect(5, 5, 6, 6));
    EXPECT_TRUE(UnionRect(TRect{}, Rect(4, 4, 2, 8)).IsEmpty());
}
