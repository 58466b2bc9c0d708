#include "framework/classes/Events.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace framework;

namespace {

struct TTarget {
    std::vector<int> Seen;
    void Take(int Value) { Seen.push_back(Value); }
    void Other(int Value) { Seen.push_back(-Value); }
};
using TIntEvent = TEvent<int>;

TEST(Events, MethodEventsAreTwoPointersAndEqualWhenCodeAndObjectMatch) {
    static_assert(sizeof(TIntEvent) == 2 * sizeof(void*));
    TTarget a, b;
    const TIntEvent take = TIntEvent::Of<&TTarget::Take>(&a);
    EXPECT_TRUE(take == TIntEvent::Of<&TTarget::Take>(&a));
    EXPECT_FALSE(take == TIntEvent::Of<&TTarget::Take>(&b));
    EXPECT_FALSE(take == TIntEvent::Of<&TTarget::Other>(&a));
    EXPECT_EQ(take.Data(), &a);
    take(7);
    TIntEvent::Of<&TTarget::Other> (&a)(3);
    EXPECT_EQ(a.Seen, (std::vector<int>{7, -3}));
    EXPECT_TRUE(TIntEvent() == nullptr);
    EXPECT_FALSE(static_cast<bool>(TIntEvent(nullptr)));
}

// A bound callable lives exactly as long as the last event that holds it, however the events
// are copied, moved, assigned or assigned to themselves.
TEST(Events, BoundCallableLivesWhileAnyCopyHoldsIt) {
    auto alive = std::make_shared<int>(0);
    std::weak_ptr<int> watch = alive;
    TIntEvent first = TIntEvent::Lambda([alive](int v) { *alive += v; });
    alive.reset();
    ASSERT_FALSE(watch.expired());
    {
        TIntEvent copy = first;
        EXPECT_TRUE(copy == first);
        TIntEvent moved = std::move(copy);
        EXPECT_FALSE(static_cast<bool>(copy));  // NOLINT(bugprone-use-after-move): moved-from is empty
        moved(2);
        TIntEvent assigned;
        assigned = moved;
        auto& self = assigned;
        assigned = self;
        assigned(3);
        EXPECT_EQ(*watch.lock(), 5);
        first = nullptr;
        EXPECT_FALSE(watch.expired());  // still held by moved and assigned
    }
    EXPECT_TRUE(watch.expired());
    // Two bindings of equal callables are different events.
    const auto noop = [](int) {};
    EXPECT_FALSE(TIntEvent::Lambda(noop) == TIntEvent::Lambda(noop));
}

}  // namespace
