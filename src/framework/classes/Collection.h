#pragma once
// TCollection: an owned, ordered list of items of one item class, each a TPersistent with
// published properties of its own (a list view's columns, a status bar's panels). Form
// descriptions keep a collection as `< item ... end >`.

#include "framework/classes/TypInfo.h"

#include <memory>
#include <vector>

namespace framework {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    // Joins Collection (null: none) at its end.
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;  // leaves its collection

    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    TCollection* Collection() const { return m_collection; }
    int Index() const;

private:
    friend class TCollection;
    TCollection* m_collection = nullptr;  // not owned
};

class TCollection : public TPersistent {
public:
    using ItemFactory = TCollectionItem* (*)(TCollection*);
    // Items of ItemClass are made by Factory (see MakeItem).
    TCollection(TClass ItemClass, ItemFactory Factory);
    ~TCollection() override;  // frees every item

    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    TClass ItemClass() const { return m_itemClass; }
    int Count() const { return static_cast<int>(m_items.size()); }
    // Raises EListError out of range.
    TCollectionItem* Items(int Index) const;
    // A new item of the item class at the end.
    TCollectionItem* Add();
    void Delete(int Index);  // raises EListError out of range
    void Clear();
    // Copies the items of another collection of the same item class, property by property.
    void Assign(const TPersistent* Source) override;

    // The factory for an item class T constructible from a TCollection*.
    template <class T> static TCollectionItem* MakeItem(TCollection* Collection) {
        return Create<T>(Collection);
    }

    // Told after every added, deleted or changed item.
    TNotifyEvent OnChange;

protected:
    virtual void Update();

private:
    friend class TCollectionItem;
    TClass m_itemClass;
    ItemFactory m_factory;
    std::vector<TCollectionItem*> m_items;  // owned
    bool m_clearing = false;
};

}  // namespace framework
