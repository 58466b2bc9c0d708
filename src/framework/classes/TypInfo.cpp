#include "framework/classes/TypInfo.h"

#include "framework/classes/Component.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>

namespace framework {

namespace {

bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z')
            x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z')
            y = static_cast<unsigned char>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

std::string upper(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return r;
}

[[noreturn]] void convertError(const TPropInfo& prop, std::string_view what) {
    throw EPropertyConvertError("Invalid property value for " + prop.Name + ": " + std::string(what));
}

std::string trimmed(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return std::string(s.substr(b, e - b));
}

// Decimal or $/0x hexadecimal, optional sign; the whole text must be a number.
bool parseInteger(std::string_view text, std::int64_t& out) {
    std::string s = trimmed(text);
    if (s.empty())
        return false;
    bool negative = false;
    std::size_t i = 0;
    if (s[0] == '-' || s[0] == '+') {
        negative = s[0] == '-';
        i = 1;
    }
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size())
        return false;
    std::uint64_t magnitude = 0;
    auto [end, ec] = std::from_chars(s.data() + i, s.data() + s.size(), magnitude, base);
    if (ec != std::errc() || end != s.data() + s.size())
        return false;
    if (base == 16 && magnitude <= 0xFFFFFFFFull && s.size() - i == 8)
        magnitude =
            static_cast<std::uint64_t>(static_cast<std::int64_t>(static_cast<std::int32_t>(magnitude)));
    if (!negative && magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) &&
        base == 10)
        return false;
    out = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

int nameIndex(const TPropInfo& prop, std::string_view name) {
    for (std::size_t i = 0; i < prop.Names.size(); ++i)
        if (sameText(prop.Names[i], trimmed(name)))
            return static_cast<int>(i);
    return -1;
}

std::map<std::string, TClass>& classRegistry() {
    static std::map<std::string, TClass> registry;
    return registry;
}

}  // namespace

// --- TClassInfo -------------------------------------------------------------------------------

TClassInfo TClassInfo::Root(std::string name) { return TClassInfo(std::move(name), nullptr, nullptr); }

bool TClassInfo::KeepsInherited(std::string_view name) const {
    return !m_inheritedKept || std::any_of(m_inheritedKept->begin(), m_inheritedKept->end(),
                                           [&](const std::string& kept) { return sameText(kept, name); });
}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const {
    for (TClass c = this; c; c = c->m_parent) {
        for (const auto& p : c->m_props)
            if (sameText(p->Name, name))
                return p.get();
        if (!c->KeepsInherited(name))
            return nullptr;
    }
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::Props() const {
    std::vector<TClass> chain;
    for (TClass c = this; c; c = c->m_parent)
        chain.push_back(c);
    std::vector<const TPropInfo*> result;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        std::erase_if(result, [&](const TPropInfo* p) { return !(*it)->KeepsInherited(p->Name); });
        for (const auto& p : (*it)->m_props) {
            // A class that publishes an inherited name again replaces the ancestor's entry.
            auto same = std::find_if(result.begin(), result.end(),
                                     [&](const TPropInfo* q) { return sameText(q->Name, p->Name); });
            if (same != result.end())
                *same = p.get();
            else
                result.push_back(p.get());
        }
    }
    return result;
}

TComponent* TClassInfo::CreateInstance(TComponent* owner) const {
    if (!m_factory)
        throw EInvalidOperation("Cannot create an instance of the class " + m_name);
    return m_factory(owner);
}

const TClassInfo::MessageHandler* TClassInfo::FindOwnMessageHandler(std::uint32_t msg) const {
    auto it = m_messages.find(msg);
    return it == m_messages.end() ? nullptr : &it->second;
}

TClassInfo TClassInfo::Publishing(std::vector<std::string> inherited) && {
    m_inheritedKept = std::move(inherited);
    return std::move(*this);
}

TClassInfo TClassInfo::Property(TPropInfo info) && {
    m_props.push_back(std::make_shared<TPropInfo>(std::move(info)));
    return std::move(*this);
}

TClassInfo TClassInfo::StoredWhen(std::function<bool(const TObject&)> Stored) && {
    if (!m_props.empty())
        m_props.back()->Stored = std::move(Stored);
    return std::move(*this);
}

const TMethodEntry* TClassInfo::FindMethod(std::string_view name) const {
    for (TClass c = this; c; c = c->m_parent)
        for (const TMethodEntry& m : c->m_methods)
            if (sameText(m.Name, name))
                return &m;
    return nullptr;
}

const TMethodEntry* TClassInfo::FindMethodByCode(void (*code)()) const {
    if (!code)
        return nullptr;
    for (TClass c = this; c; c = c->m_parent)
        for (const TMethodEntry& m : c->m_methods)
            if (m.Code == code)
                return &m;
    return nullptr;
}

TMethod MethodOf(const TMethodEntry& Entry, TObject* Obj) {
    return TMethod{Entry.Self(Obj), Entry.Code, Entry.Type};
}

// --- Conversions ------------------------------------------------------------------------------

std::int64_t CheckedInteger(const TPropInfo& prop, std::int64_t Value, bool isSigned, std::size_t size) {
    if (size >= 8)
        return Value;
    const int bits = static_cast<int>(size * 8);
    const std::int64_t lo = isSigned ? -(std::int64_t(1) << (bits - 1)) : 0;
    const std::int64_t hi = isSigned ? (std::int64_t(1) << (bits - 1)) - 1 : (std::int64_t(1) << bits) - 1;
    if (Value < lo || Value > hi)
        convertError(prop, std::to_string(Value) + " is out of range");
    return Value;
}

std::int64_t ValueToInteger(const TPropInfo& prop, const TValue& value) {
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        if (prop.Kind == TTypeKind::tkEnumeration && !prop.Names.empty() &&
            (*i < 0 || *i >= static_cast<std::int64_t>(prop.Names.size())))
            convertError(prop, std::to_string(*i) + " is out of range");
        return *i;
    }
    if (const auto* b = std::get_if<bool>(&value))
        return *b ? 1 : 0;
    if (const auto* d = std::get_if<double>(&value)) {
        if (!std::isfinite(*d) || std::fabs(*d) > 9.2e18)
            convertError(prop, "number out of range");
        return static_cast<std::int64_t>(std::nearbyint(*d));
    }
    if (const auto* s = std::get_if<std::string>(&value)) {
        if (prop.Kind == TTypeKind::tkEnumeration) {
            int idx = nameIndex(prop, *s);
            if (idx >= 0)
                return idx;
        }
        if (prop.IdentToInt) {
            std::int64_t v = 0;
            if (prop.IdentToInt(trimmed(*s), v))
                return v;
        }
        std::int64_t v = 0;
        if (parseInteger(*s, v))
            return ValueToInteger(prop, TValue(v));
        convertError(prop, "'" + *s + "' is not a valid value");
    }
    convertError(prop, "the value has no ordinal meaning");
}

bool ValueToBool(const TPropInfo& prop, const TValue& value) {
    if (const auto* b = std::get_if<bool>(&value))
        return *b;
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return *i != 0;
    if (const auto* s = std::get_if<std::string>(&value)) {
        if (sameText(trimmed(*s), "True"))
            return true;
        if (sameText(trimmed(*s), "False"))
            return false;
        std::int64_t v = 0;
        if (parseInteger(*s, v))
            return v != 0;
        convertError(prop, "'" + *s + "' is not a valid Boolean value");
    }
    if (const auto* d = std::get_if<double>(&value))
        return *d != 0.0;
    convertError(prop, "the value is not Boolean");
}

double ValueToFloat(const TPropInfo& prop, const TValue& value) {
    if (const auto* d = std::get_if<double>(&value))
        return *d;
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return static_cast<double>(*i);
    if (const auto* b = std::get_if<bool>(&value))
        return *b ? 1.0 : 0.0;
    if (const auto* s = std::get_if<std::string>(&value)) {
        std::string t = trimmed(*s);
        double d = 0;
        auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), d);
        if (!t.empty() && ec == std::errc() && end == t.data() + t.size())
            return d;
        convertError(prop, "'" + *s + "' is not a valid floating point value");
    }
    convertError(prop, "the value is not a number");
}

std::string ValueToString(const TPropInfo& prop, const TValue& value) {
    if (const auto* s = std::get_if<std::string>(&value))
        return *s;
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return std::to_string(*i);
    if (const auto* b = std::get_if<bool>(&value))
        return *b ? "True" : "False";
    if (const auto* d = std::get_if<double>(&value)) {
        char buf[64];
        auto [end, ec] = std::to_chars(buf, buf + sizeof buf, *d);
        return ec == std::errc() ? std::string(buf, end) : std::string();
    }
    if (std::holds_alternative<std::monostate>(value))
        return std::string();
    convertError(prop, "an object is not text");
}

TObject* ValueToObject(const TPropInfo& prop, const TValue& value) {
    TObject* obj = nullptr;
    if (const auto* o = std::get_if<TObject*>(&value))
        obj = *o;
    else if (const auto* i = std::get_if<std::int64_t>(&value); i && *i == 0)
        obj = nullptr;
    else if (!std::holds_alternative<std::monostate>(value))
        convertError(prop, "the value is not an object");
    if (obj && prop.PropClass && !obj->InheritsFrom(prop.PropClass))
        convertError(prop, "a " + obj->ClassName() + " is not a " + prop.PropClass->ClassName());
    return obj;
}

TMethod ValueToMethod(const std::string& PropName, const std::type_info& EventType, const TValue& value) {
    if (std::holds_alternative<std::monostate>(value))
        return {};
    const auto* m = std::get_if<TMethod>(&value);
    if (!m)
        throw EPropertyConvertError("Invalid property value for " + PropName + ": the value is not a method");
    if (m->Code && (!m->Type || *m->Type != EventType))
        throw EPropertyConvertError("Invalid property value for " + PropName +
                                    ": the method does not fit the event");
    return *m;
}

// --- Access by name ---------------------------------------------------------------------------

const TPropInfo* GetPropInfo(TClass Cls, std::string_view PropName) {
    return Cls ? Cls->FindProp(PropName) : nullptr;
}

const TPropInfo* GetPropInfo(const TObject* Obj, std::string_view PropName) {
    return Obj ? GetPropInfo(Obj->ClassType(), PropName) : nullptr;
}

namespace {
const TPropInfo& requireProp(const TObject* Obj, std::string_view PropName) {
    const TPropInfo* prop = GetPropInfo(Obj, PropName);
    if (!prop)
        throw EPropertyError("Property " + std::string(PropName) + " does not exist");
    return *prop;
}
}  // namespace

std::int64_t GetOrdProp(const TObject* Obj, const TPropInfo* Prop) {
    TValue v = Prop->Get(*Obj);
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return *i;
    if (const auto* b = std::get_if<bool>(&v))
        return *b ? 1 : 0;
    if (const auto* o = std::get_if<TObject*>(&v))
        return static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(*o));
    throw EPropertyError("Property " + Prop->Name + " is not of an ordinal type");
}

std::int64_t GetOrdProp(const TObject* Obj, std::string_view PropName) {
    return GetOrdProp(Obj, &requireProp(Obj, PropName));
}

TObject* GetObjectProp(const TObject* Obj, std::string_view PropName) {
    const TPropInfo& prop = requireProp(Obj, PropName);
    if (prop.Kind != TTypeKind::tkClass)
        throw EPropertyError("Property " + prop.Name + " is not an object property");
    return std::get<TObject*>(prop.Get(*Obj));
}

TValue GetPropValue(const TObject* Obj, std::string_view PropName) {
    const TPropInfo& prop = requireProp(Obj, PropName);
    return prop.Get(*Obj);
}

void SetPropValue(TObject* Obj, std::string_view PropName, const TValue& Value) {
    const TPropInfo& prop = requireProp(Obj, PropName);
    if (!prop.Set)
        throw EPropertyError("Property " + prop.Name + " is read-only");
    prop.Set(*Obj, Value);
}

void SetOrdProp(TObject* Obj, std::string_view PropName, std::int64_t Value) {
    SetPropValue(Obj, PropName, TValue(Value));
}

void SetObjectProp(TObject* Obj, std::string_view PropName, TObject* Value) {
    const TPropInfo& prop = requireProp(Obj, PropName);
    if (prop.Kind != TTypeKind::tkClass)
        throw EPropertyError("Property " + prop.Name + " is not an object property");
    if (!prop.Set)
        throw EPropertyError("Property " + prop.Name + " is read-only");
    prop.Set(*Obj, TValue(Value));
}

std::string PropValueToText(const TObject* Obj, const TPropInfo* Prop) {
    TValue v = Prop->Get(*Obj);
    switch (Prop->Kind) {
    case TTypeKind::tkEnumeration: {
        std::int64_t i = GetOrdProp(Obj, Prop);
        if (i >= 0 && i < static_cast<std::int64_t>(Prop->Names.size()))
            return Prop->Names[static_cast<std::size_t>(i)];
        return std::to_string(i);
    }
    case TTypeKind::tkSet: {
        std::int64_t mask = GetOrdProp(Obj, Prop);
        std::string text = "[";
        for (std::size_t i = 0; i < Prop->Names.size() && i < 63; ++i)
            if (mask & (std::int64_t(1) << i)) {
                if (text.size() > 1)
                    text += ", ";
                text += Prop->Names[i];
            }
        return text + "]";
    }
    case TTypeKind::tkInteger: {
        std::int64_t i = GetOrdProp(Obj, Prop);
        std::string ident;
        if (Prop->IntToIdent && Prop->IntToIdent(i, ident))
            return ident;
        return std::to_string(i);
    }
    case TTypeKind::tkClass: {
        auto* obj = std::get<TObject*>(v);
        auto* comp = As<TComponent>(obj);
        return comp ? comp->Name() : std::string();
    }
    default:
        return ValueToString(*Prop, v);
    }
}

void SetPropFromText(TObject* Obj, const TPropInfo* Prop, std::string_view Text) {
    if (!Prop->Set)
        throw EPropertyError("Property " + Prop->Name + " is read-only");
    if (Prop->Kind == TTypeKind::tkSet) {
        std::string t = trimmed(Text);
        if (t.size() < 2 || t.front() != '[' || t.back() != ']')
            convertError(*Prop, "'" + t + "' is not a set");
        std::int64_t mask = 0;
        std::string_view inner(t.data() + 1, t.size() - 2);
        while (!inner.empty()) {
            std::size_t comma = inner.find(',');
            std::string_view item = inner.substr(0, comma);
            if (!trimmed(item).empty()) {
                int idx = nameIndex(*Prop, item);
                if (idx < 0)
                    convertError(*Prop, "'" + trimmed(item) + "' is not an element");
                mask |= std::int64_t(1) << idx;
            }
            if (comma == std::string_view::npos)
                break;
            inner.remove_prefix(comma + 1);
        }
        Prop->Set(*Obj, TValue(mask));
        return;
    }
    Prop->Set(*Obj, TValue(std::string(Text)));
}

// --- Class registry ---------------------------------------------------------------------------

void RegisterClass(TClass cls) {
    if (cls)
        classRegistry()[upper(cls->ClassName())] = cls;
}

TClass GetClass(std::string_view name) {
    auto it = classRegistry().find(upper(name));
    return it == classRegistry().end() ? nullptr : it->second;
}

TClass FindClass(std::string_view name) {
    TClass cls = GetClass(name);
    if (!cls)
        throw EClassNotFound("Class " + std::string(name) + " not found");
    return cls;
}

}  // namespace framework
