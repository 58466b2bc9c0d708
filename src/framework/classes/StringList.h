#pragma once
// TStringList: the string list that stores its strings, optionally sorted, with change events.

#include "framework/classes/Events.h"
#include "framework/classes/Strings.h"

#include <vector>

namespace framework {

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// Answers < 0, 0 or > 0 as the string at Index1 sorts before, with or after that at Index2.
using TStringListSortCompare = int (*)(TStringList* List, int Index1, int Index2);

class TStringList : public TStrings {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    TStringList() = default;

    int Count() const override { return static_cast<int>(m_items.size()); }
    std::string Strings(int Index) const override;
    // Read without a copy; the reference lives until the list changes.
    const std::string& StringRef(int Index) const;
    void Put(int Index, const std::string& S) override;
    TObject* Objects(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    int Add(const std::string& S) override;
    int AddObject(const std::string& S, TObject* AObject) override;
    void Insert(int Index, const std::string& S) override;
    void InsertObject(int Index, const std::string& S, TObject* AObject) override;
    void Delete(int Index) override;
    void Clear() override;
    void Exchange(int Index1, int Index2) override;
    int IndexOf(std::string_view S) const override;
    // Room for that many strings before the store grows again. Less than Count() raises
    // EStringListError; setting it changes no string and fires no event.
    int Capacity() const { return static_cast<int>(m_items.capacity()); }
    void SetCapacity(int Value);
    // Empties the list as Clear does but keeps the store, for a list about to be filled again
    // to the same size. A descendant's Clear does not run.
    void ClearKeepingCapacity();

    // Binary search of a sorted list: true when found, Index at the first match or where S
    // would go. On an unsorted list the answer means nothing.
    virtual bool Find(std::string_view S, int& Index) const;
    virtual void Sort();
    virtual void CustomSort(TStringListSortCompare Compare);

    bool Sorted() const { return m_sorted; }
    void SetSorted(bool Value);
    // Only a sorted list consults it.
    TDuplicates Duplicates() const { return m_duplicates; }
    void SetDuplicates(TDuplicates Value) { m_duplicates = Value; }
    bool CaseSensitive() const { return m_caseSensitive; }
    void SetCaseSensitive(bool Value);

    void Assign(const TPersistent* Source) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // Fills the end of an unsorted list as one change, for building a list in one go: the
    // strings go in without an event each. While it lives the list is in an update (as between
    // BeginUpdate and EndUpdate), so OnChanging comes when it is made and OnChange when it
    // goes. Made for a sorted list it raises EStringListError, as Insert does.
    class TAppender {
    public:
        explicit TAppender(TStringList& List);
        ~TAppender();
        TAppender(const TAppender&) = delete;
        TAppender& operator=(const TAppender&) = delete;

        // Adds S with AObject at the end, the string built in place from the view.
        void Add(std::string_view S, TObject* AObject) { m_list.m_items.emplace_back(S, AObject); }

    private:
        TStringList& m_list;
    };

protected:
    int CompareStrings(std::string_view S1, std::string_view S2) const override;
    // Fire OnChanging / OnChange unless an update is in progress.
    void Changing() override;
    void Changed() override;

private:
    struct Item {
        Item(const std::string& s, TObject* object) : S(s), Object(object) {}
        Item(std::string_view s, TObject* object) : S(s), Object(object) {}
        std::string S;
        TObject* Object = nullptr;
    };
    void Check(int Index) const;
    [[noreturn]] static void SortedError();
    void InsertItem(int Index, const std::string& S, TObject* AObject);

    std::vector<Item> m_items;
    bool m_sorted = false;
    TDuplicates m_duplicates = TDuplicates::dupIgnore;
    bool m_caseSensitive = false;
};

}  // namespace framework
