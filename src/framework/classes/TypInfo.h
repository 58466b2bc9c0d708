#pragma once
// Run-time type information: one table of published properties per class, chained to the
// parent class's table and searched by name without regard to case. Values travel as TValue.
// Every published property can be read and written by name, also from text.

#include "framework/classes/Events.h"
#include "framework/classes/Object.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace framework {

class TComponent;

// tkMethod: an event; tkBinary: bytes kept with a form (image data), carried as a string.
enum class TTypeKind { tkInteger, tkEnumeration, tkSet, tkFloat, tkString, tkClass, tkMethod, tkBinary };

// Null (monostate), integer, Boolean, float, string, object reference or event.
using TValue = std::variant<std::monostate, std::int64_t, bool, double, std::string, TObject*, TMethod>;

struct TPropInfo {
    std::string Name;
    TTypeKind Kind = TTypeKind::tkInteger;
    TClass PropClass = nullptr;      // tkClass: the class a value must inherit from
    std::vector<std::string> Names;  // tkEnumeration and tkSet: element names by ordinal
    // tkInteger: optional names for values (clWindow, crDefault); empty when none.
    std::function<bool(std::string_view, std::int64_t&)> IdentToInt;
    std::function<bool(std::int64_t, std::string&)> IntToIdent;
    std::function<TValue(const TObject&)> Get;
    std::function<void(TObject&, const TValue&)> Set;  // empty: read-only
    std::optional<std::int64_t> Default;               // ordinal default, for "stored" decisions
    // Whether a form description keeps the value (the classic "stored" clause); empty: always.
    std::function<bool(const TObject&)> Stored;
};

// A published method: what a form description names as an event handler.
struct TMethodEntry {
    std::string Name;
    void (*Code)() = nullptr;
    const std::type_info* Type = nullptr;  // the event type the method fits
    void* (*Self)(TObject*) = nullptr;     // the object as the method's own class sees it
};

// An event value for an event of type EventType: null clears it; a method of another type raises.
TMethod ValueToMethod(const std::string& PropName, const std::type_info& EventType, const TValue& value);

namespace detail {
template <class M> struct MethodTraits;
template <class T, class... A> struct MethodTraits<void (T::*)(A...)> {
    using Class = T;
    using Event = TEvent<A...>;
};
}  // namespace detail

// A class's run-time description: its name, its parent, its published properties and, for
// component classes, how to create an instance from a class reference.
class TClassInfo {
public:
    using Factory = TComponent* (*)(TComponent* owner);

    static TClassInfo Root(std::string name);
    template <class T, class Base> static TClassInfo Derive(std::string name);

    const std::string& ClassName() const { return m_name; }
    TClass ClassParent() const { return m_parent; }
    bool InheritsFrom(TClass cls) const {
        return cls == this || (cls && cls->m_ancestors.size() < m_ancestors.size() &&
                               m_ancestors[cls->m_ancestors.size()] == cls);
    }
    // The property of that name on this class or an ancestor; null when there is none.
    const TPropInfo* FindProp(std::string_view name) const;
    // Every published property, the root class's first, each class's in published order.
    std::vector<const TPropInfo*> Props() const;
    // A new component of this class (two-phase creation); null for classes that cannot be made.
    TComponent* CreateInstance(TComponent* owner) const;
    bool CanCreate() const { return m_factory != nullptr; }

    // Builders. A getter or setter is a member function or a data member; no setter: read-only.
    template <class T, class G, class S = std::nullptr_t>
    TClassInfo Integer(std::string name, G getter, S setter = nullptr,
                       std::optional<std::int64_t> def = {}) && {
        return std::move(*this).Add<T>(std::move(name), TTypeKind::tkInteger, {}, nullptr, getter, setter,
                                       def);
    }
    template <class T, class G, class S = std::nullptr_t>
    TClassInfo Bool(std::string name, G getter, S setter = nullptr, std::optional<bool> def = {}) && {
        std::optional<std::int64_t> d;
        if (def)
            d = *def ? 1 : 0;
        return std::move(*this).Add<T>(std::move(name), TTypeKind::tkEnumeration, {"False", "True"}, nullptr,
                                       getter, setter, d);
    }
    template <class T, class G, class S = std::nullptr_t>
    TClassInfo Enum(std::string name, std::vector<std::string> names, G getter, S setter = nullptr,
                    std::optional<std::int64_t> def = {}) && {
        return std::move(*this).Add<T>(std::move(name), TTypeKind::tkEnumeration, std::move(names), nullptr,
                                       getter, setter, def);
    }
    // A set: the getter and setter deal in a bit mask, bit i for element i.
    template <class T, class G, class S = std::nullptr_t>
    TClassInfo SetOf(std::string name, std::vector<std::string> names, G getter, S setter = nullptr,
                     std::optional<std::int64_t> def = {}) && {
        return std::move(*this).Add<T>(std::move(name), TTypeKind::tkSet, std::move(names), nullptr, getter,
                                       setter, def);
    }
    template <class T, class G, class S = std::nullptr_t>
    TClassInfo Float(std::string name, G getter, S setter = nullptr) && {
        return std::move(*this).Add<T>(std::move(name), TTypeKind::tkFloat, {}, nullptr, getter, setter, {});
    }
    template <class T, class G, class S = std::nullptr_t>
    TClassInfo String(std::string name, G getter, S setter = nullptr) && {
        return std::move(*this).Add<T>(std::move(name), TTypeKind::tkString, {}, nullptr, getter, setter, {});
    }
    // An object reference; a value must be null or inherit from C.
    template <class T, class C, class G, class S = std::nullptr_t>
    TClassInfo Object(std::string name, G getter, S setter = nullptr) && {
        return std::move(*this).Add<T>(std::move(name), TTypeKind::tkClass, {}, &C::ClassInfo(), getter,
                                       setter, std::optional<std::int64_t>(0));
    }
    // An event held in a data member: a TEvent of the type the member has.
    template <class T, class E> TClassInfo Event(std::string name, E T::*member) && {
        TPropInfo info;
        info.Name = std::move(name);
        info.Kind = TTypeKind::tkMethod;
        info.Get = [member](const TObject& obj) {
            return TValue((static_cast<const T&>(obj).*member).Method());
        };
        info.Set = [member, n = info.Name](TObject& obj, const TValue& value) {
            static_cast<T&>(obj).*member = E::FromMethod(ValueToMethod(n, typeid(E), value));
        };
        return std::move(*this).Property(std::move(info));
    }
    // Bytes kept with a form; the getter gives them and the setter takes them as a string.
    template <class T, class G, class S> TClassInfo Binary(std::string name, G getter, S setter) && {
        return std::move(*this).Add<T>(std::move(name), TTypeKind::tkBinary, {}, nullptr, getter, setter, {});
    }
    // Any property built by hand (named integer values, odd conversions).
    TClassInfo Property(TPropInfo info) &&;
    // Marks the property added last as kept only when Stored says so.
    TClassInfo StoredWhen(std::function<bool(const TObject&)> Stored) &&;

    // A published method, found by name when a form description names it as an event handler:
    // .Method<&TMyForm::ButtonClick>("ButtonClick").
    template <auto M> TClassInfo Method(std::string name) && {
        using Traits = detail::MethodTraits<decltype(M)>;
        using C = typename Traits::Class;
        const TMethod m = Traits::Event::template Of<M>(static_cast<C*>(nullptr)).Method();
        m_methods.push_back(TMethodEntry{std::move(name), m.Code, m.Type,
                                         [](TObject* obj) -> void* { return static_cast<C*>(obj); }});
        return std::move(*this);
    }
    // The published method of that name on this class or an ancestor; null when there is none.
    const TMethodEntry* FindMethod(std::string_view name) const;
    // The published method whose code that is (the classic MethodName); null when none.
    const TMethodEntry* FindMethodByCode(void (*code)()) const;
    // Of the inherited properties, only these stay published in this class and below it (a
    // base class that publishes more than the classic one, whose descendants publish a few);
    // the class's own properties come on top.
    TClassInfo Publishing(std::vector<std::string> inherited) &&;
    // A message handler by number: a member function taking TMessage&.
    template <class T> TClassInfo Message(std::uint32_t msg, void (T::*handler)(TMessage&)) && {
        m_messages[msg] = [handler](TObject& obj, TMessage& m) { (static_cast<T&>(obj).*handler)(m); };
        return std::move(*this);
    }
    using MessageHandler = std::function<void(TObject&, TMessage&)>;
    // The handler this class itself declares for msg, or null.
    const MessageHandler* FindOwnMessageHandler(std::uint32_t msg) const;

private:
    TClassInfo(std::string name, TClass parent, Factory factory)
        : m_name(std::move(name)), m_parent(parent), m_factory(factory) {
        if (parent) {
            m_ancestors = parent->m_ancestors;
            m_ancestors.push_back(parent);
        }
    }

    bool KeepsInherited(std::string_view name) const;
    template <class T, class G, class S>
    TClassInfo Add(std::string name, TTypeKind kind, std::vector<std::string> names, TClass cls, G getter,
                   S setter, std::optional<std::int64_t> def) &&;

    std::string m_name;
    TClass m_parent = nullptr;
    std::vector<TClass> m_ancestors;  // from the root class down to the parent, so that an
                                      // ancestor is found at its own depth
    Factory m_factory = nullptr;
    std::vector<std::shared_ptr<TPropInfo>> m_props;          // shared so the table stays put when moved
    std::optional<std::vector<std::string>> m_inheritedKept;  // unset: every inherited one
    std::map<std::uint32_t, MessageHandler> m_messages;
    std::vector<TMethodEntry> m_methods;
};

// The published method bound to Obj, ready to be set into an event property.
TMethod MethodOf(const TMethodEntry& Entry, TObject* Obj);

// --- Access by name, raising framework exceptions as the classic routines do ---------------

// The property, or null when the object's class has none of that name.
const TPropInfo* GetPropInfo(const TObject* Obj, std::string_view PropName);
const TPropInfo* GetPropInfo(TClass Cls, std::string_view PropName);
// Ordinal value: integers, enumerations, Booleans and sets as themselves, objects as their
// address (nil as 0). Raises EPropertyError for an unknown or non-ordinal property.
std::int64_t GetOrdProp(const TObject* Obj, std::string_view PropName);
std::int64_t GetOrdProp(const TObject* Obj, const TPropInfo* Prop);
TObject* GetObjectProp(const TObject* Obj, std::string_view PropName);
TValue GetPropValue(const TObject* Obj, std::string_view PropName);
// Sets from a variant, converting as the classic variant rules do (text to number, enumeration
// names, Boolean names). Raises EPropertyError for an unknown or read-only property and
// EPropertyConvertError for a value that does not fit; the object is then unchanged.
void SetPropValue(TObject* Obj, std::string_view PropName, const TValue& Value);
void SetOrdProp(TObject* Obj, std::string_view PropName, std::int64_t Value);
// Sets an object property; the value must inherit from the property's class (or be null).
void SetObjectProp(TObject* Obj, std::string_view PropName, TObject* Value);
// The value as text the way a form description writes it (enumeration and set names, idents).
std::string PropValueToText(const TObject* Obj, const TPropInfo* Prop);
// Sets a property from the text of a form description.
void SetPropFromText(TObject* Obj, const TPropInfo* Prop, std::string_view Text);

// Conversions used by the builders; exposed for properties built by hand.
std::int64_t ValueToInteger(const TPropInfo& prop, const TValue& value);
bool ValueToBool(const TPropInfo& prop, const TValue& value);
double ValueToFloat(const TPropInfo& prop, const TValue& value);
std::string ValueToString(const TPropInfo& prop, const TValue& value);
TObject* ValueToObject(const TPropInfo& prop, const TValue& value);
// Raises EPropertyConvertError when Value does not fit an integer of that size and sign.
std::int64_t CheckedInteger(const TPropInfo& prop, std::int64_t Value, bool isSigned, std::size_t size);

// --- Class registry, for creating components by class name ---------------------------------
void RegisterClass(TClass cls);
TClass GetClass(std::string_view name);   // null when unknown
TClass FindClass(std::string_view name);  // raises EClassNotFound when unknown

// --- Builder templates ----------------------------------------------------------------------

template <class T, class Base> TClassInfo TClassInfo::Derive(std::string name) {
    Factory factory = nullptr;
    if constexpr (std::is_constructible_v<T, TComponent*> && !std::is_abstract_v<T>) {
        factory = [](TComponent* owner) -> TComponent* { return Create<T>(owner); };
    }
    return TClassInfo(std::move(name), &Base::ClassInfo(), factory);
}

namespace detail {
template <class S> struct SetterArg;
// A setter that takes a view of a text is handed a string, which lives through the call.
template <class C, class R, class A> struct SetterArg<R (C::*)(A)> {
    using type = std::conditional_t<std::is_same_v<std::remove_cvref_t<A>, std::string_view>, std::string,
                                    std::remove_cvref_t<A>>;
};

// Converts a variant to the C++ type a setter takes, by the property's kind.
template <class A> A ConvertTo(const TPropInfo& prop, const TValue& value) {
    if constexpr (std::is_same_v<A, bool>) {
        return ValueToBool(prop, value);
    } else if constexpr (std::is_enum_v<A>) {
        return static_cast<A>(ValueToInteger(prop, value));
    } else if constexpr (std::is_integral_v<A>) {
        return static_cast<A>(
            CheckedInteger(prop, ValueToInteger(prop, value), std::is_signed_v<A>, sizeof(A)));
    } else if constexpr (std::is_floating_point_v<A>) {
        return static_cast<A>(ValueToFloat(prop, value));
    } else if constexpr (std::is_pointer_v<A>) {
        return static_cast<A>(ValueToObject(prop, value));
    } else {
        return A(ValueToString(prop, value));
    }
}

template <class R> TValue ToValue(R&& r) {
    using V = std::remove_cvref_t<R>;
    if constexpr (std::is_same_v<V, bool>)
        return TValue(r);
    else if constexpr (std::is_enum_v<V> || std::is_integral_v<V>)
        return TValue(static_cast<std::int64_t>(r));
    else if constexpr (std::is_floating_point_v<V>)
        return TValue(static_cast<double>(r));
    else if constexpr (std::is_pointer_v<V>)
        return TValue(static_cast<TObject*>(r));
    else
        return TValue(std::string(r));
}
}  // namespace detail

template <class T, class G, class S>
TClassInfo TClassInfo::Add(std::string name, TTypeKind kind, std::vector<std::string> names, TClass cls,
                           G getter, S setter, std::optional<std::int64_t> def) && {
    auto info = std::make_shared<TPropInfo>();
    info->Name = std::move(name);
    info->Kind = kind;
    info->PropClass = cls;
    info->Names = std::move(names);
    info->Default = def;
    info->Get = [getter](const TObject& obj) -> TValue {
        return detail::ToValue(std::invoke(getter, static_cast<const T&>(obj)));
    };
    if constexpr (!std::is_null_pointer_v<S>) {
        const TPropInfo* self = info.get();  // the table owns it and never moves it
        info->Set = [setter, self](TObject& obj, const TValue& value) {
            T& target = static_cast<T&>(obj);
            if constexpr (std::is_member_object_pointer_v<S>) {
                using F = std::remove_cvref_t<decltype(target.*setter)>;
                target.*setter = detail::ConvertTo<F>(*self, value);
            } else {
                using A = typename detail::SetterArg<S>::type;
                std::invoke(setter, target, detail::ConvertTo<A>(*self, value));
            }
        };
    }
    m_props.push_back(std::move(info));
    return std::move(*this);
}

}  // namespace framework
