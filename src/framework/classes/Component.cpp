#include "framework/classes/Component.h"

#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <cstdint>

namespace framework {

namespace {
bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto up = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
               return up(x) == up(y);
           });
}
// Searches from the end: the one to go is most often the last made (an owner frees its
// components last first), so a whole list is emptied without a quadratic search.
void erase(std::vector<TComponent*>& list, TComponent* item) {
    auto it = std::find(list.rbegin(), list.rend(), item);
    if (it != list.rend())
        list.erase(std::next(it).base());
}
// FNV-1a over the name with its letters in upper case, as names compare.
std::size_t nameHash(std::string_view name) {
    std::uint64_t h = 14695981039346656037ull;
    for (char c : name) {
        const char up = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
        h = (h ^ static_cast<unsigned char>(up)) * 1099511628211ull;
    }
    return static_cast<std::size_t>(h ^ (h >> 29));
}
}  // namespace

bool IsValidIdent(std::string_view Name) {
    if (Name.empty())
        return false;
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!alpha(Name[0]))
        return false;
    return std::all_of(Name.begin() + 1, Name.end(),
                       [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

const TClassInfo& TComponent::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TComponent, TPersistent>("TComponent")
                                       .String<TComponent>("Name", &TComponent::Name, &TComponent::SetName)
                                       .Integer<TComponent>("Tag", &TComponent::Tag, &TComponent::SetTag, 0);
    return info;
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    m_state |= csDestroying;
    // Tell every watcher first; each one drops its reference and its link back to us.
    while (!m_freeNotifies.empty()) {
        TComponent* watcher = m_freeNotifies.back();
        m_freeNotifies.pop_back();
        erase(watcher->m_freeNotifies, this);
        watcher->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (m_owner)
        m_owner->RemoveComponent(this);
}

void TComponent::BeforeDestruction() {
    if (!HasState(csDestroying))
        Destroying();
}

void TComponent::Destroying() {
    if (HasState(csDestroying))
        return;
    m_state |= csDestroying;
    for (TComponent* c : m_components)
        c->Destroying();
}

void TComponent::DestroyComponents() {
    while (!m_components.empty()) {
        TComponent* last = m_components.back();
        // Unlink first, so the child's destructor does not call back into an owner that may be
        // part-way through its own destruction.
        Remove(last);
        last->Free();
    }
}

void TComponent::ComponentIndexError(int Index) {
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

int TComponent::ComponentIndex() const {
    if (!m_owner)
        return -1;
    auto& list = m_owner->m_components;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
    return AName.empty() ? nullptr : FindNamed(AName);
}

TComponent* TComponent::FindNamed(std::string_view AName) const {
    if (m_nameSlots.empty())
        return nullptr;
    const std::size_t hash = nameHash(AName);
    const std::size_t mask = m_nameSlots.size() - 1;
    for (std::size_t i = hash & mask; m_nameSlots[i].Taken; i = (i + 1) & mask) {
        const NameSlot& slot = m_nameSlots[i];
        if (slot.Component && slot.Hash == hash && sameText(slot.Component->m_name, AName))
            return slot.Component;
    }
    return nullptr;
}

void TComponent::EnterName(TComponent* AComponent) {
    if ((m_nameSlotsTaken + 1) * 2 > m_nameSlots.size()) {
        // Grown (or just cleared of the slots of names that went) to twice the names it holds.
        std::vector<NameSlot> old;
        old.swap(m_nameSlots);
        std::size_t live = 0;
        for (const NameSlot& slot : old)
            live += slot.Component ? 1 : 0;
        std::size_t size = 16;
        while (size < (live + 1) * 4)
            size *= 2;
        m_nameSlots.assign(size, NameSlot{});
        m_nameSlotsTaken = 0;
        for (const NameSlot& slot : old)
            if (slot.Component) {
                std::size_t i = slot.Hash & (size - 1);
                while (m_nameSlots[i].Taken)
                    i = (i + 1) & (size - 1);
                m_nameSlots[i] = slot;
                ++m_nameSlotsTaken;
            }
    }
    const std::size_t hash = nameHash(AComponent->m_name);
    const std::size_t mask = m_nameSlots.size() - 1;
    std::size_t i = hash & mask;
    while (m_nameSlots[i].Component)
        i = (i + 1) & mask;
    if (!m_nameSlots[i].Taken)
        ++m_nameSlotsTaken;
    m_nameSlots[i] = NameSlot{hash, AComponent, true};
}

void TComponent::DropName(const TComponent* AComponent) {
    if (m_nameSlots.empty())
        return;
    const std::size_t hash = nameHash(AComponent->m_name);
    const std::size_t mask = m_nameSlots.size() - 1;
    for (std::size_t i = hash & mask; m_nameSlots[i].Taken; i = (i + 1) & mask)
        if (m_nameSlots[i].Component == AComponent) {
            m_nameSlots[i].Component = nullptr;  // still taken, so later names stay reachable
            return;
        }
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName,
                                const std::string& NewName) const {
    if (AComponent && !sameText(CurName, NewName) && FindComponent(NewName))
        throw EComponentError("A component named " + NewName + " already exists");
}

void TComponent::SetName(const std::string& NewName) {
    if (m_name == NewName)
        return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError("'" + NewName + "' is not a valid component name");
    if (!m_owner) {
        m_name = NewName;
        return;
    }
    m_owner->ValidateRename(this, m_name, NewName);
    if (!m_name.empty())
        m_owner->DropName(this);
    m_name = NewName;
    if (!m_name.empty())
        m_owner->EnterName(this);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    SetStateFlag(csDesigning, Value);
    if (SetChildren)
        for (TComponent* c : m_components)
            c->SetDesigning(Value, true);
}

void TComponent::SetStateFlag(TComponentState flag, bool on) {
    if (on)
        m_state |= flag;
    else
        m_state &= ~flag;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent)
        return;
    if (!AComponent->m_name.empty())
        ValidateRename(AComponent, std::string(), AComponent->m_name);
    if (AComponent->m_owner)
        AComponent->m_owner->RemoveComponent(AComponent);
    Insert(AComponent);
    // A component placed on a form in the designer is in design as well.
    if (HasState(csDesigning))
        AComponent->SetDesigning(true);
    Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->m_owner != this)
        return;
    Notification(AComponent, TOperation::opRemove);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
    m_components.push_back(AComponent);
    AComponent->m_owner = this;
    if (!AComponent->m_name.empty())
        EnterName(AComponent);
}

void TComponent::Remove(TComponent* AComponent) {
    erase(m_components, AComponent);
    AComponent->m_owner = nullptr;
    if (!AComponent->m_name.empty())
        DropName(AComponent);
}

// A removal is passed down to everything the component owns, so that siblings drop their
// references to the component that goes. An insertion is not: nothing needs it, and telling
// every sibling of every new component would make building a large form quadratic.
void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation != TOperation::opRemove || !AComponent)
        return;
    RemoveFreeNotification(AComponent);
    // An owner that is being destroyed takes all its components with it. Those that keep a
    // reference to the one that goes asked to be told of it (FreeNotification) and are told by
    // it; passing the removal to every sibling as well would make freeing a large form quadratic.
    if (HasState(csDestroying))
        return;
    for (std::ptrdiff_t i = 0; i < static_cast<std::ptrdiff_t>(m_components.size()); ++i) {
        TComponent* c = m_components[static_cast<std::size_t>(i)];
        if (c == AComponent)
            continue;
        c->Notification(AComponent, Operation);
        // A handler may free components; carry on from where c stands now (or from its place
        // if it went), so that no one is told twice or skipped.
        if (i >= static_cast<std::ptrdiff_t>(m_components.size()) ||
            m_components[static_cast<std::size_t>(i)] != c) {
            auto it = std::find(m_components.begin(), m_components.end(), c);
            i = it == m_components.end() ? i - 1 : it - m_components.begin();
        }
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this)
        return;
    // Both sides keep the link, so whichever goes first unlinks the other.
    if (std::find(AComponent->m_freeNotifies.begin(), AComponent->m_freeNotifies.end(), this) ==
        AComponent->m_freeNotifies.end())
        AComponent->m_freeNotifies.push_back(this);
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), AComponent) == m_freeNotifies.end())
        m_freeNotifies.push_back(AComponent);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent)
        return;
    erase(m_freeNotifies, AComponent);
    erase(AComponent->m_freeNotifies, this);
}

void TComponent::BeginLoading() { m_state |= csLoading | csReading; }
void TComponent::EndReading() { m_state &= ~csReading; }
void TComponent::FinishLoading() {
    m_state &= ~(csLoading | csReading);
    Loaded();
}

void TComponent::CancelLoading() { m_state &= ~(csLoading | csReading); }

void TComponent::Loaded() {}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(std::vector<TComponent*>&, const TComponent*) const {}

}  // namespace framework
