#include "framework/classes/Component.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace framework;

namespace {

// A component that records what it was told and may hold a reference to another.
class TWatcher : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* Target = nullptr;
    std::vector<std::string>* Log = nullptr;

    void Watch(TComponent* c) {
        Target = c;
        if (c)
            c->FreeNotification(this);
    }
    void BeforeDestruction() override {
        if (Log)
            Log->push_back("before " + Name());
        TComponent::BeforeDestruction();
    }
    ~TWatcher() override {
        if (Log)
            Log->push_back("destroy " + Name());
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove && AComponent == Target)
            Target = nullptr;
    }
};

}  // namespace

TEST(ComponentOwnership, OwnerFreesItsComponentsLastCreatedFirst) {
    std::vector<std::string> log;
    auto* owner = Create<TWatcher>(nullptr);
    owner->SetName("Owner");
    for (const char* n : {"A", "B", "C"}) {
        auto* w = Create<TWatcher>(owner);
        w->SetName(n);
        w->Log = &log;
    }
    ASSERT_EQ(owner->ComponentCount(), 3);
    owner->Free();
    EXPECT_EQ(log, (std::vector<std::string>{"before C", "destroy C", "before B", "destroy B", "before A",
                                             "destroy A"}));
}

TEST(ComponentOwnership, EarlyFreeLeavesOwnerAndClearsWatchers) {
    std::unique_ptr<TComponent, TFreeDeleter> owner(Create<TComponent>(nullptr));
    auto* target = Create<TComponent>(owner.get());
    auto* watcher = Create<TWatcher>(owner.get());
    auto* outsider = Create<TWatcher>(nullptr);
    watcher->Watch(target);
    outsider->Watch(target);
    target->Free();
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->Components(0), watcher);
    EXPECT_EQ(watcher->Target, nullptr);
    EXPECT_EQ(outsider->Target, nullptr);
    outsider->Free();
}

TEST(ComponentOwnership, WatcherFreedFirstIsForgottenByTarget) {
    auto* target = Create<TComponent>(nullptr);
    auto* watcher = Create<TWatcher>(nullptr);
    watcher->Watch(target);
    watcher->Free();
    target->Free();  // must not touch the freed watcher (AddressSanitizer would tell)
    SUCCEED();
}

TEST(ComponentNames, DuplicateAndInvalidNamesAreRefused) {
    std::unique_ptr<TComponent, TFreeDeleter> owner(Create<TComponent>(nullptr));
    auto* a = Create<TComponent>(owner.get());
    auto* b = Create<TComponent>(owner.get());
    a->SetName("Edit1");
    EXPECT_THROW(b->SetName("EDIT1"), EComponentError);
    EXPECT_THROW(b->SetName("1Edit"), EComponentError);
    EXPECT_EQ(b->Name(), "");
    b->SetName("Edit2");
    EXPECT_EQ(owner->FindComponent("edit2"), b);
    a->SetName("edit1");  // a new case of its own name is allowed
    EXPECT_EQ(a->Name(), "edit1");
    EXPECT_THROW(owner->Components(2), EListError);
}

TEST(ComponentState, DestroyingReachesOwnedComponentsBeforeAnyIsFreed) {
    // Freed first (created last), the probe looks at a sibling that is still alive.
    struct TProbe : TComponent {
        using TComponent::TComponent;
        TComponent* sibling = nullptr;
        bool* sawDestroying = nullptr;
        void BeforeDestruction() override {
            *sawDestroying = sibling->HasState(csDestroying);
            TComponent::BeforeDestruction();
        }
    };
    bool sawDestroying = false;
    auto* owner = Create<TComponent>(nullptr);
    auto* other = Create<TComponent>(owner);
    auto* probe = Create<TProbe>(owner);
    probe->sibling = other;
    probe->sawDestroying = &sawDestroying;
    owner->Free();
    EXPECT_TRUE(sawDestroying);
}

TEST(ComponentOwnership, AWatcherThatFreesASiblingDuringRemovalSkipsNoOne) {
    // Each watcher frees the next one when the target goes; the survivors must all be told.
    struct TChain : TComponent {
        using TComponent::TComponent;
        TComponent* target = nullptr;
        TChain* victim = nullptr;
        int* told = nullptr;
        void Notification(TComponent* AComponent, TOperation Operation) override {
            TComponent::Notification(AComponent, Operation);
            if (Operation == TOperation::opRemove && AComponent == target) {
                ++*told;
                if (victim) {
                    TChain* v = victim;
                    victim = nullptr;
                    v->Free();
                }
            }
        }
    };
    int told = 0;
    std::unique_ptr<TComponent, TFreeDeleter> owner(Create<TComponent>(nullptr));
    auto* target = Create<TComponent>(owner.get());
    std::vector<TChain*> chain;
    for (int i = 0; i < 6; ++i) {
        chain.push_back(Create<TChain>(owner.get()));
        chain.back()->target = target;
        chain.back()->told = &told;
    }
    chain[0]->victim = chain[1];  // a later sibling
    chain[3]->victim = chain[2];  // an earlier sibling, already told
    target->Free();
    // Told: 0 (which frees 1 before its turn), 2 (freed by 3 after its turn), 3, 4 and 5; once each.
    EXPECT_EQ(told, 5);
    EXPECT_EQ(owner->ComponentCount(), 4);
}

namespace {

// A component whose BeforeDestruction fails, as a save into an unwritable folder does.
class TFailingSaver : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<std::string>* Log = nullptr;
    void BeforeDestruction() override {
        TComponent::BeforeDestruction();
        throw EFCreateError("Cannot create file \"" + Name() + ".ini\". Not a directory");
    }
    ~TFailingSaver() override { Log->push_back("destroy " + Name()); }
};

std::vector<std::string> g_destructionErrors;
void KeepDestructionError(const std::exception& E) { g_destructionErrors.emplace_back(E.what()); }

}  // namespace

// An error raised while an object is freed never leaves Free: the object and everything it
// owns still go (here inside an owner's destructor and a smart pointer, where an escaping
// error would end the program), and each error reaches the destruction error handler.
TEST(ComponentFree, AFailureBeforeDestructionStillFreesAndIsHandedOn) {
    g_destructionErrors.clear();
    SetDestructionErrorHandler(&KeepDestructionError);
    std::vector<std::string> log;
    {
        std::unique_ptr<TComponent, TFreeDeleter> owner(Create<TComponent>(nullptr));
        auto* inner = Create<TFailingSaver>(owner.get());
        inner->SetName("Inner");
        inner->Log = &log;
        auto* alone = Create<TFailingSaver>(nullptr);
        alone->SetName("Alone");
        alone->Log = &log;
        EXPECT_NO_THROW(alone->Free());
    }
    SetDestructionErrorHandler(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"destroy Alone", "destroy Inner"}));
    EXPECT_EQ(g_destructionErrors,
              (std::vector<std::string>{"Cannot create file \"Alone.ini\". Not a directory",
                                        "Cannot create file \"Inner.ini\". Not a directory"}));
}
