#pragma once
// A published TColor property for the run-time tables: an integer that reads and writes colour
// names ("clWindow") and "$00BBGGRR" text, so form descriptions can say "Color = clRed".
//
//   TClassInfo::Derive<TMyControl, TControl>("TMyControl")
//       .Property(ColorProperty<TMyControl>("Color", &TMyControl::Color, &TMyControl::SetColor, clWindow));

#include "framework/classes/TypInfo.h"
#include "framework/graphics/Colors.h"

#include <functional>
#include <string>

namespace framework {

template <class T, class G, class S>
TPropInfo ColorProperty(std::string name, G getter, S setter, TColor def) {
    TPropInfo info;
    info.Name = std::move(name);
    info.Kind = TTypeKind::tkInteger;
    info.Default = def;
    info.IdentToInt = [](std::string_view ident, std::int64_t& value) {
        TColor c = 0;
        if (!IdentToColor(ident, c))
            return false;
        value = c;
        return true;
    };
    info.IntToIdent = [](std::int64_t value, std::string& ident) {
        return ColorToIdent(static_cast<TColor>(value), ident);
    };
    info.Get = [getter](const TObject& obj) -> TValue {
        return TValue(static_cast<std::int64_t>(std::invoke(getter, static_cast<const T&>(obj))));
    };
    // The property object lives in its class table, which never moves it; the setter only
    // needs a description for its error messages, so it keeps its own copy of the name.
    info.Set = [setter, propName = info.Name](TObject& obj, const TValue& value) {
        TPropInfo desc;
        desc.Name = propName;
        desc.Kind = TTypeKind::tkInteger;
        desc.IdentToInt = [](std::string_view ident, std::int64_t& v) {
            TColor c = 0;
            if (!IdentToColor(ident, c))
                return false;
            v = c;
            return true;
        };
        std::int64_t v = ValueToInteger(desc, value);
        // Colours are 32-bit; "$FF000005" arrives as a large positive number from some readers.
        if (v > 0xFFFFFFFFll || v < -0x80000000ll)
            v = CheckedInteger(desc, v, true, sizeof(TColor));
        std::invoke(setter, static_cast<T&>(obj), static_cast<TColor>(static_cast<std::uint32_t>(v)));
    };
    return info;
}

}  // namespace framework
