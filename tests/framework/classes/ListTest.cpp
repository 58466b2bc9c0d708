#include "framework/classes/List.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

using namespace framework;

namespace {

int values[6] = {0, 1, 2, 3, 4, 5};
void* P(int i) { return &values[i]; }

int CompareInts(void* a, void* b) { return *static_cast<int*>(a) - *static_cast<int*>(b); }

class ListFixture : public ::testing::Test {
protected:
    TList list;
    void SetUp() override {
        for (int i : {3, 1, 4})
            list.Add(P(i));
    }
};

TEST_F(ListFixture, OutOfRangeRaisesWithTheIndex) {
    try {
        list.Items(3);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    EXPECT_THROW(list.Items(-1), EListError);
    EXPECT_THROW(list.Delete(3), EListError);
    EXPECT_THROW(list.Insert(5, nullptr), EListError);
    EXPECT_THROW(TList().First(), EListError);
    list.Insert(3, P(0));  // inserting at Count appends
    EXPECT_EQ(list.Last(), P(0));
}

TEST_F(ListFixture, RemoveAndExtractTakeTheFirstOccurrence) {
    list.Add(P(1));
    EXPECT_EQ(list.Remove(P(1)), 1);
    EXPECT_EQ(list.IndexOf(P(1)), 2);
    EXPECT_EQ(list.Remove(P(5)), -1);
    EXPECT_EQ(list.Extract(P(4)), P(4));
    EXPECT_EQ(list.Extract(P(4)), nullptr);
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(ListFixture, MoveExchangePackAndSort) {
    list.Move(0, 2);  // 1 4 3
    EXPECT_EQ(list[0], P(1));
    EXPECT_EQ(list[2], P(3));
    list.Exchange(0, 1);  // 4 1 3
    EXPECT_EQ(list.First(), P(4));
    list.Add(nullptr);
    list.Insert(0, nullptr);
    list.Pack();
    EXPECT_EQ(list.Count(), 3);
    list.Sort(CompareInts);
    EXPECT_EQ(list[0], P(1));
    EXPECT_EQ(list[1], P(3));
    EXPECT_EQ(list[2], P(4));
}

TEST(ListSort, InconsistentCompareStaysInBounds) {
    TList list;
    for (int i = 0; i < 200; ++i)
        list.Add(P(i % 6));
    list.Sort([](void*, void*) { return 1; });  // claims every item sorts after every other
    EXPECT_EQ(list.Count(), 200);
}

}  // namespace
