#pragma once
// TList: the classic list of untyped pointers, with index checks that raise EListError.

#include "framework/classes/Object.h"

#include <vector>

namespace framework {

// Answers < 0, 0 or > 0 as Item1 sorts before, with or after Item2.
using TListSortCompare = int (*)(void* Item1, void* Item2);

// A list of non-owned pointers, kept in insertion order unless sorted or moved.
class TList : public TObject {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    // Deletes the first occurrence; answers its former index, or -1.
    int Remove(void* Item);
    // Removes the first occurrence and answers it, or null when absent.
    void* Extract(void* Item);
    int IndexOf(void* Item) const;
    void* Items(int Index) const;
    void SetItems(int Index, void* Item);
    void* operator[](int Index) const { return Items(Index); }
    int Count() const { return static_cast<int>(m_items.size()); }
    void SetCount(int NewCount);
    int Capacity() const { return static_cast<int>(m_items.capacity()); }
    void SetCapacity(int NewCapacity);
    void* First() const;
    void* Last() const;
    void Clear();
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    // Removes every null item.
    void Pack();
    void Sort(TListSortCompare Compare);

private:
    [[noreturn]] static void IndexError(int Index);
    void Check(int Index) const;

    std::vector<void*> m_items;
};

}  // namespace framework
