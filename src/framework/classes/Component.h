#pragma once
// TComponent: named, owned objects. An owner frees what it owns, last created first; a
// component freed early leaves its owner's list and tells every component that asked
// (FreeNotification), so no reference to it is left dangling.

#include "framework/classes/Events.h"
#include "framework/classes/Object.h"
#include "framework/classes/TypInfo.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

enum class TOperation { opInsert, opRemove };

// ComponentState flags, as a bit set.
enum TComponentStateFlag : std::uint32_t {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
    csAncestor = 1u << 5,
    csUpdating = 1u << 6,
    csFixups = 1u << 7,
    csInline = 1u << 8,
};
using TComponentState = std::uint32_t;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);  // AOwner may be null
    ~TComponent() override;                   // tells watchers, frees owned ones, leaves the owner

    // A component is made with Create<T>(owner), which runs AfterConstruction once the whole
    // object stands; `new T(owner)` would skip it and leave the component half set up, so it
    // does not compile.
    static void* operator new(std::size_t) = delete;
    static void* operator new[](std::size_t) = delete;

    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    const std::string& Name() const { return m_name; }
    // Raises EComponentError for a name that is not an identifier or that the owner already has.
    virtual void SetName(const std::string& NewName);
    std::intptr_t Tag() const { return m_tag; }
    void SetTag(std::intptr_t Value) { m_tag = Value; }

    TComponent* Owner() const { return m_owner; }
    int ComponentCount() const { return static_cast<int>(m_components.size()); }
    // Raises EListError out of range.
    TComponent* Components(int Index) const {
        if (Index < 0 || Index >= ComponentCount()) [[unlikely]]
            ComponentIndexError(Index);
        return m_components[static_cast<std::size_t>(Index)];
    }
    int ComponentIndex() const;  // position in the owner's list, -1 without owner
    TComponent* FindComponent(std::string_view AName) const;  // by name, case-insensitive

    TComponentState ComponentState() const { return m_state; }
    bool HasState(TComponentState flags) const { return (m_state & flags) != 0; }
    // Design-time state, set by a designer host on a component and everything it owns.
    void SetDesigning(bool Value, bool SetChildren = true);

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component, last created first.
    void DestroyComponents();

    // Ask to be told (Notification with opRemove) when AComponent goes.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Reading from a form description: the reader calls these around setting properties.
    void BeginLoading();   // csLoading | csReading on this component
    void EndReading();     // clears csReading
    void FinishLoading();  // clears csLoading and calls Loaded
    void CancelLoading();  // clears both states without Loaded, after a read that failed

    // Form descriptions nest a component inside the one that holds it on the form (a control
    // inside its parent); components without such a holder stand at the top level.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    // Raises EComponentError when Value cannot hold this component.
    virtual void SetParentComponent(TComponent* Value);
    // Appends the components written inside this one: those it holds that Root owns.
    virtual void GetChildren(std::vector<TComponent*>& Children, const TComponent* Root) const;

    void BeforeDestruction() override;

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // After the stored properties of the component have been read.
    virtual void Loaded();
    // Raises EComponentError when NewName cannot be used for this component.
    void ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName) const;
    // Sets csDestroying on this component and everything it owns.
    void Destroying();
    void SetStateFlag(TComponentState flag, bool on);

private:
    [[noreturn]] static void ComponentIndexError(int Index);
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);

    std::string m_name;
    std::intptr_t m_tag = 0;
    TComponent* m_owner = nullptr;            // not owned
    std::vector<TComponent*> m_components;    // owned; each unlinks itself when freed
    std::vector<TComponent*> m_freeNotifies;  // not owned; told before we go
    TComponentState m_state = 0;
};

// Points Field, a reference Self keeps to another component, at Value: Self is told when the new
// target goes (so its Notification can clear Field) and no longer about the old one.
template <class T> void ReferenceComponent(TComponent* Self, T*& Field, T* Value) {
    if (Field == Value)
        return;
    if (Field)
        Field->RemoveFreeNotification(Self);
    Field = Value;
    if (Value)
        Value->FreeNotification(Self);
}

// True when Name is a valid identifier for a component (letters, digits, underscore; not a digit first).
bool IsValidIdent(std::string_view Name);

}  // namespace framework
