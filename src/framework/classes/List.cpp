#include "framework/classes/List.h"

#include "framework/classes/TypInfo.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <string>

namespace framework {

const TClassInfo& TList::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TList, TObject>("TList");
    return info;
}

void TList::IndexError(int Index) {
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TList::Check(int Index) const {
    if (Index < 0 || Index >= Count())
        IndexError(Index);
}

int TList::Add(void* Item) {
    m_items.push_back(Item);
    return Count() - 1;
}

void TList::Insert(int Index, void* Item) {
    if (Index < 0 || Index > Count())
        IndexError(Index);
    m_items.insert(m_items.begin() + Index, Item);
}

void TList::Delete(int Index) {
    Check(Index);
    m_items.erase(m_items.begin() + Index);
}

int TList::Remove(void* Item) {
    const int index = IndexOf(Item);
    if (index >= 0)
        Delete(index);
    return index;
}

void* TList::Extract(void* Item) { return Remove(Item) >= 0 ? Item : nullptr; }

int TList::IndexOf(void* Item) const {
    const auto it = std::find(m_items.begin(), m_items.end(), Item);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void* TList::Items(int Index) const {
    Check(Index);
    return m_items[static_cast<std::size_t>(Index)];
}

void TList::SetItems(int Index, void* Item) {
    Check(Index);
    m_items[static_cast<std::size_t>(Index)] = Item;
}

void TList::SetCount(int NewCount) {
    if (NewCount < 0)
        throw EListError("List count out of bounds (" + std::to_string(NewCount) + ")");
    m_items.resize(static_cast<std::size_t>(NewCount), nullptr);
}

void TList::SetCapacity(int NewCapacity) {
    if (NewCapacity < Count())
        throw EListError("List capacity out of bounds (" + std::to_string(NewCapacity) + ")");
    if (NewCapacity > Capacity())
        m_items.reserve(static_cast<std::size_t>(NewCapacity));
    else
        m_items.shrink_to_fit();
}

void* TList::First() const { return Items(0); }

void* TList::Last() const { return Items(Count() - 1); }

void TList::Clear() {
    m_items.clear();
    m_items.shrink_to_fit();
}

void TList::Exchange(int Index1, int Index2) {
    Check(Index1);
    Check(Index2);
    std::swap(m_items[static_cast<std::size_t>(Index1)], m_items[static_cast<std::size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex)
        return;
    Check(CurIndex);
    Check(NewIndex);
    void* item = m_items[static_cast<std::size_t>(CurIndex)];
    m_items.erase(m_items.begin() + CurIndex);
    m_items.insert(m_items.begin() + NewIndex, item);
}

void TList::Pack() { m_items.erase(std::remove(m_items.begin(), m_items.end(), nullptr), m_items.end()); }

void TList::Sort(TListSortCompare Compare) {
    // A merge sort: a careless compare function (not a strict order) cannot make it run past
    // the ends, as an unguarded quicksort can.
    std::stable_sort(m_items.begin(), m_items.end(),
                     [Compare](void* a, void* b) { return Compare(a, b) < 0; });
}

}  // namespace framework
