#include "framework/classes/StringList.h"

#include "framework/classes/TypInfo.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"

#include <algorithm>
#include <iterator>
#include <numeric>
#include <string>

namespace framework {

const TClassInfo& TStringList::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TStringList, TStrings>("TStringList")
            .Bool<TStringList>("Sorted", &TStringList::Sorted, &TStringList::SetSorted, false)
            .Bool<TStringList>("CaseSensitive", &TStringList::CaseSensitive, &TStringList::SetCaseSensitive,
                               false);
    return info;
}

void TStringList::Check(int Index) const {
    if (Index < 0 || Index >= Count())
        IndexError(Index);
}

void TStringList::SortedError() { throw EStringListError("Operation not allowed on sorted list"); }

std::string TStringList::Strings(int Index) const { return StringRef(Index); }

const std::string& TStringList::StringRef(int Index) const {
    Check(Index);
    return m_items[static_cast<std::size_t>(Index)].S;
}

void TStringList::Put(int Index, const std::string& S) {
    if (m_sorted)
        SortedError();
    Check(Index);
    Changing();
    m_items[static_cast<std::size_t>(Index)].S = S;
    Changed();
}

TObject* TStringList::Objects(int Index) const {
    Check(Index);
    return m_items[static_cast<std::size_t>(Index)].Object;
}

void TStringList::PutObject(int Index, TObject* AObject) {
    Check(Index);
    Changing();
    m_items[static_cast<std::size_t>(Index)].Object = AObject;
    Changed();
}

int TStringList::Add(const std::string& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const std::string& S, TObject* AObject) {
    int index = Count();
    if (m_sorted && Find(S, index)) {
        if (m_duplicates == TDuplicates::dupIgnore)
            return index;
        if (m_duplicates == TDuplicates::dupError)
            throw EStringListError("String list does not allow duplicates");
        // dupAccept: after the equal ones, so equal strings keep their order of arrival.
        while (index < Count() && CompareStrings(m_items[static_cast<std::size_t>(index)].S, S) == 0)
            ++index;
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::Insert(int Index, const std::string& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const std::string& S, TObject* AObject) {
    if (m_sorted)
        SortedError();
    if (Index < 0 || Index > Count())
        IndexError(Index);
    InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject) {
    Changing();
    if (Index == Count())
        m_items.emplace_back(S, AObject);  // built in place: the string is copied once
    else
        m_items.insert(m_items.begin() + Index, Item{S, AObject});
    Changed();
}

void TStringList::SetCapacity(int Value) {
    if (Value < Count())
        throw EStringListError("List capacity out of bounds (" + std::to_string(Value) + ")");
    const auto capacity = static_cast<std::size_t>(Value);
    if (capacity >= m_items.capacity()) {
        m_items.reserve(capacity);
        return;
    }
    // A smaller store: move the strings into one of just that size.
    std::vector<Item> items;
    items.reserve(capacity);
    std::move(m_items.begin(), m_items.end(), std::back_inserter(items));
    m_items.swap(items);
}

void TStringList::Delete(int Index) {
    Check(Index);
    Changing();
    m_items.erase(m_items.begin() + Index);
    Changed();
}

void TStringList::Clear() {
    if (m_items.empty())
        return;
    Changing();
    m_items.clear();
    m_items.shrink_to_fit();
    Changed();
}

void TStringList::ClearKeepingCapacity() {
    if (m_items.empty())
        return;
    Changing();
    m_items.clear();
    Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
    if (m_sorted)
        SortedError();
    Check(Index1);
    Check(Index2);
    Changing();
    std::swap(m_items[static_cast<std::size_t>(Index1)], m_items[static_cast<std::size_t>(Index2)]);
    Changed();
}

int TStringList::IndexOf(std::string_view S) const {
    if (!m_sorted) {
        // As TStrings::IndexOf, without a copy of every string.
        for (std::size_t i = 0; i < m_items.size(); ++i)
            if (CompareStrings(m_items[i].S, S) == 0)
                return static_cast<int>(i);
        return -1;
    }
    int index = 0;
    return Find(S, index) ? index : -1;
}

bool TStringList::Find(std::string_view S, int& Index) const {
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        const int c = CompareStrings(m_items[static_cast<std::size_t>(mid)].S, S);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0)
                found = true;  // keep going left to the first match
        }
    }
    Index = lo;
    return found;
}

void TStringList::Sort() {
    CustomSort([](TStringList* list, int a, int b) {
        return list->CompareStrings(list->m_items[static_cast<std::size_t>(a)].S,
                                    list->m_items[static_cast<std::size_t>(b)].S);
    });
}

void TStringList::CustomSort(TStringListSortCompare Compare) {
    if (Count() < 2)
        return;
    // The compare function sees the list as it was (by index) while an order is worked out,
    // then the items are moved once. A stable merge sort keeps equal strings in their order
    // and cannot run past the ends when a compare function is inconsistent.
    std::vector<int> order(m_items.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
    Changing();
    std::vector<Item> sorted;
    sorted.reserve(m_items.size());
    for (int i : order)
        sorted.push_back(std::move(m_items[static_cast<std::size_t>(i)]));
    m_items = std::move(sorted);
    Changed();
}

void TStringList::SetSorted(bool Value) {
    if (m_sorted == Value)
        return;
    if (Value)
        Sort();
    m_sorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (m_caseSensitive == Value)
        return;
    m_caseSensitive = Value;
    if (m_sorted)
        Sort();
}

int TStringList::CompareStrings(std::string_view S1, std::string_view S2) const {
    if (m_caseSensitive)
        return AnsiCompareStr(S1, S2);
    return TStrings::CompareStrings(S1, S2);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

TStringList::TAppender::TAppender(TStringList& List) : m_list(List) {
    if (List.m_sorted)
        SortedError();
    List.BeginUpdate();
}

TStringList::TAppender::~TAppender() { m_list.EndUpdate(); }

void TStringList::Assign(const TPersistent* Source) {
    const auto* src = Source ? As<TStringList>(const_cast<TPersistent*>(Source)) : nullptr;
    if (src && src != this) {
        // Taking the source's order rules first lets its strings go in as they stand.
        BeginUpdate();
        m_sorted = false;
        try {
            TStrings::Assign(Source);
        } catch (...) {
            EndUpdate();
            throw;
        }
        m_caseSensitive = src->m_caseSensitive;
        m_duplicates = src->m_duplicates;
        m_sorted = src->m_sorted;
        EndUpdate();
        return;
    }
    TStrings::Assign(Source);
}

}  // namespace framework
