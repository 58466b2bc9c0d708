#include "framework/classes/Collection.h"

#include "framework/rtl/Exceptions.h"

#include <algorithm>

namespace framework {

const TClassInfo& TCollectionItem::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TCollectionItem, TPersistent>("TCollectionItem");
    return info;
}

TCollectionItem::TCollectionItem(TCollection* Collection) : m_collection(Collection) {
    if (m_collection)
        m_collection->m_items.push_back(this);
}

TCollectionItem::~TCollectionItem() {
    if (m_collection && !m_collection->m_clearing) {
        auto& items = m_collection->m_items;
        items.erase(std::find(items.begin(), items.end(), this));
        m_collection->Update();
    }
}

int TCollectionItem::Index() const {
    if (!m_collection)
        return -1;
    const auto& items = m_collection->m_items;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

const TClassInfo& TCollection::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TCollection, TPersistent>("TCollection");
    return info;
}

TCollection::TCollection(TClass ItemClass, ItemFactory Factory)
    : m_itemClass(ItemClass), m_factory(Factory) {}

TCollection::~TCollection() {
    OnChange = nullptr;
    Clear();
}

TCollectionItem* TCollection::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return m_items[static_cast<std::size_t>(Index)];
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = m_factory(this);
    Update();
    return item;
}

void TCollection::Delete(int Index) { Items(Index)->Free(); }

void TCollection::Clear() {
    if (m_items.empty())
        return;
    m_clearing = true;
    std::vector<TCollectionItem*> items;
    items.swap(m_items);
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        (*it)->Free();
    m_clearing = false;
    Update();
}

void TCollection::Assign(const TPersistent* Source) {
    const auto* other =
        Source && Source->Is<TCollection>() ? static_cast<const TCollection*>(Source) : nullptr;
    if (!other || other->m_itemClass != m_itemClass) {
        TPersistent::Assign(Source);
        return;
    }
    Clear();
    for (const TCollectionItem* from : other->m_items) {
        TCollectionItem* to = Add();
        for (const TPropInfo* prop : m_itemClass->Props())
            if (prop->Set && prop->Kind != TTypeKind::tkClass)
                prop->Set(*to, prop->Get(*from));
    }
}

void TCollection::Update() {
    if (OnChange)
        OnChange(this);
}

}  // namespace framework
