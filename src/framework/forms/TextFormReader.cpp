#include "framework/forms/TextForms.h"

#include "framework/classes/Collection.h"
#include "framework/classes/Strings.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/StrUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace framework {

ETextFormError::ETextFormError(std::string fileName, int line, std::string propertyPath,
                               const std::string& reason)
    : EReadError("Error reading form description \"" + fileName + "\", line " + std::to_string(line) +
                 (propertyPath.empty() ? std::string() : ", property " + propertyPath) + ": " + reason),
      FileName(std::move(fileName)), Line(line), PropertyPath(std::move(propertyPath)), Reason(reason) {}

namespace {

bool isIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Objects nest no deeper than this, so that no description can exhaust the stack.
constexpr int kMaxDepth = 200;

enum class Tok { End, Ident, Integer, Float, String, Symbol };

struct Token {
    Tok Kind = Tok::End;
    std::string Text;  // identifier, decoded string, or the symbol
    std::int64_t Int = 0;
    double Float = 0;
    int Line = 1;
};

// Splits a description into tokens. Strings are decoded here: quoted runs ('it''s') and
// character codes (#13, #$0D) that touch each other make one string token.
class Lexer {
public:
    Lexer(std::string_view text, const std::string& file) : m_text(text), m_file(file) {}

    [[noreturn]] void Fail(int line, const std::string& why) const {
        throw ETextFormError(m_file, line, {}, why);
    }

    Token Next() {
        SkipBlanks();
        Token t;
        t.Line = m_line;
        if (m_pos >= m_text.size())
            return t;
        const char c = m_text[m_pos];
        if (isIdentStart(c)) {
            const std::size_t start = m_pos;
            while (m_pos < m_text.size() && (isIdentStart(m_text[m_pos]) || isDigit(m_text[m_pos])))
                ++m_pos;
            t.Kind = Tok::Ident;
            t.Text = std::string(m_text.substr(start, m_pos - start));
        } else if (isDigit(c) || c == '$') {
            ReadNumber(t);
        } else if (c == '\'' || c == '#') {
            t.Kind = Tok::String;
            ReadString(t);
        } else {
            ++m_pos;
            t.Kind = Tok::Symbol;
            t.Text = std::string(1, c);
        }
        return t;
    }

    // The hexadecimal digits of binary data up to the closing brace, which it consumes.
    std::string ReadBinary(int line) {
        std::string bytes;
        int high = -1;
        while (true) {
            if (m_pos >= m_text.size())
                Fail(line, "Binary data has no closing brace");
            const char c = m_text[m_pos++];
            if (c == '}')
                break;
            if (c == '\n')
                ++m_line;
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
                continue;
            const int v = HexDigitValue(c);
            if (v < 0)
                Fail(m_line, std::string("Invalid character '") + c + "' in binary data");
            if (high < 0) {
                high = v;
            } else {
                bytes.push_back(static_cast<char>(high * 16 + v));
                high = -1;
            }
        }
        if (high >= 0)
            Fail(m_line, "Binary data has an odd number of digits");
        return bytes;
    }

private:
    void SkipBlanks() {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == '\n')
                ++m_line;
            else if (c != ' ' && c != '\t' && c != '\r')
                break;
            ++m_pos;
        }
    }

    void ReadNumber(Token& t) {
        const std::size_t start = m_pos;
        if (m_text[m_pos] == '$') {
            ++m_pos;
            while (m_pos < m_text.size() && HexDigitValue(m_text[m_pos]) >= 0)
                ++m_pos;
            std::uint64_t v = 0;
            auto [end, ec] = std::from_chars(m_text.data() + start + 1, m_text.data() + m_pos, v, 16);
            if (m_pos == start + 1 || ec != std::errc())
                Fail(m_line,
                     "Invalid hexadecimal number " + std::string(m_text.substr(start, m_pos - start)));
            t.Kind = Tok::Integer;
            // Eight digits are a 32-bit pattern, as colours are written ($FF000005 is negative).
            t.Int = m_pos - start == 9 ? static_cast<std::int32_t>(static_cast<std::uint32_t>(v))
                                       : static_cast<std::int64_t>(v);
            return;
        }
        bool isFloat = false;
        while (m_pos < m_text.size() && isDigit(m_text[m_pos]))
            ++m_pos;
        if (m_pos + 1 < m_text.size() && m_text[m_pos] == '.' && isDigit(m_text[m_pos + 1])) {
            isFloat = true;
            ++m_pos;
            while (m_pos < m_text.size() && isDigit(m_text[m_pos]))
                ++m_pos;
        }
        if (m_pos < m_text.size() && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
            std::size_t p = m_pos + 1;
            if (p < m_text.size() && (m_text[p] == '+' || m_text[p] == '-'))
                ++p;
            if (p < m_text.size() && isDigit(m_text[p])) {
                isFloat = true;
                m_pos = p;
                while (m_pos < m_text.size() && isDigit(m_text[m_pos]))
                    ++m_pos;
            }
        }
        const char* first = m_text.data() + start;
        const char* last = m_text.data() + m_pos;
        if (isFloat) {
            auto [end, ec] = std::from_chars(first, last, t.Float);
            if (ec != std::errc() || !std::isfinite(t.Float))
                Fail(m_line, "Invalid number " + std::string(first, last));
            t.Kind = Tok::Float;
        } else {
            auto [end, ec] = std::from_chars(first, last, t.Int);
            if (ec != std::errc())
                Fail(m_line, "Number " + std::string(first, last) + " is out of range");
            t.Kind = Tok::Integer;
        }
    }

    void ReadString(Token& t) {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == '\'') {
                ++m_pos;
                while (true) {
                    if (m_pos >= m_text.size() || m_text[m_pos] == '\n' || m_text[m_pos] == '\r')
                        Fail(m_line, "Unterminated string");
                    if (m_text[m_pos] == '\'') {
                        if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\'') {
                            t.Text.push_back('\'');
                            m_pos += 2;
                            continue;
                        }
                        ++m_pos;
                        break;
                    }
                    t.Text.push_back(m_text[m_pos++]);
                }
            } else if (c == '#') {
                ++m_pos;
                const bool hex = m_pos < m_text.size() && m_text[m_pos] == '$';
                if (hex)
                    ++m_pos;
                const std::size_t start = m_pos;
                while (m_pos < m_text.size() &&
                       (hex ? HexDigitValue(m_text[m_pos]) >= 0 : isDigit(m_text[m_pos])))
                    ++m_pos;
                std::uint32_t code = 0;
                auto [end, ec] =
                    std::from_chars(m_text.data() + start, m_text.data() + m_pos, code, hex ? 16 : 10);
                const std::string digits(m_text.substr(start, m_pos - start));
                if (m_pos == start || ec != std::errc() || code > 0x10FFFF)
                    Fail(m_line, "Invalid character code #" + digits);
                if (code >= 0xD800 && code <= 0xDFFF) {
                    // Descriptions of UTF-16 strings spell a character beyond U+FFFF as its
                    // two surrogate codes; a half of a pair on its own is no character.
                    const std::uint32_t low = code >= 0xDC00 ? 0 : ReadLowSurrogate();
                    if (low == 0)
                        Fail(m_line, "Invalid character code #" + digits);
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                AppendUtf8(t.Text, code);
            } else {
                break;
            }
        }
    }

    // The second code of a surrogate pair, when a #code in the low range follows at once; 0
    // (and nothing consumed) otherwise.
    std::uint32_t ReadLowSurrogate() {
        std::size_t p = m_pos;
        if (p >= m_text.size() || m_text[p] != '#')
            return 0;
        ++p;
        const bool hex = p < m_text.size() && m_text[p] == '$';
        if (hex)
            ++p;
        const std::size_t start = p;
        while (p < m_text.size() && (hex ? HexDigitValue(m_text[p]) >= 0 : isDigit(m_text[p])))
            ++p;
        std::uint32_t code = 0;
        auto [end, ec] = std::from_chars(m_text.data() + start, m_text.data() + p, code, hex ? 16 : 10);
        if (p == start || ec != std::errc() || code < 0xDC00 || code > 0xDFFF)
            return 0;
        m_pos = p;
        return code;
    }

    static void AppendUtf8(std::string& out, std::uint32_t cp) {
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }

    std::string_view m_text;
    const std::string& m_file;
    std::size_t m_pos = 0;
    int m_line = 1;
};

// A reference to a component by name, set once every component of the description exists.
struct Fixup {
    TObject* Target;
    const TPropInfo* Prop;
    std::string Name;
    std::string Path;
    int Line;
};

class Reader {
public:
    Reader(std::string_view text, const std::string& file) : m_lex(text, file), m_file(file) { Advance(); }

    // Reads the description into root, or creates the root when it is null.
    TComponent* Run(TComponent* root, TComponent* owner) {
        const bool creating = root == nullptr;
        try {
            root = ReadRoot(root, owner);
            if (m_tok.Kind != Tok::End)
                Fail("Text follows the end of the description");
            for (const Fixup& f : m_fixups)
                ResolveFixup(root, f);
            for (TComponent* c : m_loaded)
                c->FinishLoading();
        } catch (...) {
            for (TComponent* c : m_loaded)
                c->CancelLoading();
            if (creating && m_root) {
                m_root->Free();
            } else {
                for (auto it = m_created.rbegin(); it != m_created.rend(); ++it)
                    (*it)->Free();
            }
            throw;
        }
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& why) const {
        throw ETextFormError(m_file, m_tok.Line, {}, why);
    }
    [[noreturn]] void FailAt(int line, const std::string& path, const std::string& why) const {
        throw ETextFormError(m_file, line, path, why);
    }

    void Advance() { m_tok = m_lex.Next(); }
    bool IsSymbol(char c) const { return m_tok.Kind == Tok::Symbol && m_tok.Text[0] == c; }
    bool IsKeyword(std::string_view word) const {
        return m_tok.Kind == Tok::Ident && SameText(m_tok.Text, word);
    }
    void Expect(char c) {
        if (!IsSymbol(c))
            Fail(std::string("'") + c + "' expected" + Found());
        Advance();
    }
    std::string ExpectIdent(const char* what) {
        if (m_tok.Kind != Tok::Ident)
            Fail(std::string(what) + " expected" + Found());
        std::string s = std::move(m_tok.Text);
        Advance();
        return s;
    }
    std::string Found() const {
        switch (m_tok.Kind) {
        case Tok::End:
            return " but the text ends";
        case Tok::String:
            return " but a string was found";
        case Tok::Integer:
        case Tok::Float:
            return " but a number was found";
        default:
            return " but '" + m_tok.Text + "' was found";
        }
    }

    struct Header {
        bool Inherited = false;
        std::string Name;
        std::string ClassName;
        int Line = 0;
    };

    Header ReadHeader() {
        Header h;
        h.Line = m_tok.Line;
        if (IsKeyword("inherited"))
            h.Inherited = true;
        else if (!IsKeyword("object"))
            Fail("'object' or 'inherited' expected" + Found());
        Advance();
        std::string first = ExpectIdent("A component name or class name");
        if (IsSymbol(':')) {
            Advance();
            h.Name = std::move(first);
            h.ClassName = ExpectIdent("A class name");
        } else {
            h.ClassName = std::move(first);
        }
        return h;
    }

    static bool ClassChainHas(TClass cls, std::string_view name) {
        for (TClass c = cls; c; c = c->ClassParent())
            if (SameText(c->ClassName(), name))
                return true;
        return false;
    }

    TClass FindCreatableClass(const Header& h) const {
        TClass cls = GetClass(h.ClassName);
        if (!cls)
            FailAt(h.Line, {}, "Class " + h.ClassName + " not found");
        if (!cls->InheritsFrom(&TComponent::ClassInfo()) || !cls->CanCreate())
            FailAt(h.Line, {}, "Class " + h.ClassName + " cannot be created from a description");
        return cls;
    }

    // Wraps a framework error raised while the description is applied, naming where it arose.
    template <class F> void Guard(int line, const std::string& path, F&& action) {
        try {
            action();
        } catch (const ETextFormError&) {
            throw;
        } catch (const Exception& e) {
            FailAt(line, path, e.Message());
        }
    }

    // A component this read has started carries the loading state until the read ends, so one
    // named again (an inherited object) is not started twice.
    void StartLoading(TComponent* c) {
        if (c->HasState(csLoading))
            return;
        c->BeginLoading();
        m_loaded.push_back(c);
    }

    TComponent* ReadRoot(TComponent* root, TComponent* owner) {
        Header h = ReadHeader();
        if (root) {
            if (!ClassChainHas(root->ClassType(), h.ClassName))
                FailAt(h.Line, {},
                       "The description is of a " + h.ClassName + ", not of a " + root->ClassName());
        } else {
            TClass cls = FindCreatableClass(h);
            if (h.Inherited)
                FailAt(h.Line, {}, "A new " + h.ClassName + " cannot be read from an inherited description");
            Guard(h.Line, {}, [&] { root = cls->CreateInstance(owner); });
        }
        m_root = root;
        m_rootName = h.Name;
        StartLoading(root);
        Guard(h.Line, h.Name, [&] { root->SetName(UniqueRootName(root, h.Name)); });
        ReadBody(root, h.Name, 0);
        return root;
    }

    // A second form of a class takes the name with _1, _2, ..., as the classic reader does.
    static std::string UniqueRootName(const TComponent* root, const std::string& name) {
        const TComponent* owner = root->Owner();
        if (name.empty() || !owner)
            return name;
        std::string candidate = name;
        for (int i = 1;; ++i) {
            const TComponent* other = owner->FindComponent(candidate);
            if (!other || other == root)
                return candidate;
            candidate = name + "_" + std::to_string(i);
        }
    }

    void ReadObject(TComponent* parent, int depth) {
        if (depth > kMaxDepth)
            Fail("Objects are nested too deeply");
        Header h = ReadHeader();
        TComponent* c = nullptr;
        if (h.Inherited) {
            c = m_root->FindComponent(h.Name);
            if (!c)
                FailAt(h.Line, {}, "There is no inherited component " + h.Name);
            if (!ClassChainHas(c->ClassType(), h.ClassName))
                FailAt(h.Line, {}, h.Name + " is a " + c->ClassName() + ", not a " + h.ClassName);
            StartLoading(c);
        } else {
            TClass cls = FindCreatableClass(h);
            Guard(h.Line, {}, [&] { c = cls->CreateInstance(m_root); });
            m_created.push_back(c);
            StartLoading(c);
            Guard(h.Line, h.Name, [&] {
                c->SetName(h.Name);
                c->SetParentComponent(parent);
            });
        }
        ReadBody(c, h.Name, depth);
    }

    // Properties, then child objects, then `end`. Messages name the component as the text does.
    void ReadBody(TComponent* c, const std::string& name, int depth) {
        while (m_tok.Kind == Tok::Ident && !IsKeyword("object") && !IsKeyword("inherited") &&
               !IsKeyword("end"))
            ReadProperty(c, name);
        while (IsKeyword("object") || IsKeyword("inherited"))
            ReadObject(c, depth + 1);
        if (!IsKeyword("end"))
            Fail("'end' expected" + Found());
        Advance();
        c->EndReading();
    }

    // `Name.Sub.Prop = value` on obj; prefix names obj in messages.
    void ReadProperty(TObject* obj, const std::string& prefix) {
        const int line = m_tok.Line;
        std::string path = prefix;
        std::string name = ExpectIdent("A property name");
        while (IsSymbol('.')) {
            Advance();
            const TPropInfo* prop = GetPropInfo(obj, name);
            path += (path.empty() ? "" : ".") + name;
            TObject* sub = nullptr;
            if (prop && prop->Kind == TTypeKind::tkClass &&
                !prop->PropClass->InheritsFrom(&TComponent::ClassInfo()))
                sub = std::get<TObject*>(prop->Get(*obj));
            if (!sub)
                FailAt(line, path, "Property " + name + " has no properties of its own");
            obj = sub;
            name = ExpectIdent("A property name");
        }
        path += (path.empty() ? "" : ".") + name;
        // The value's text is split into tokens as it is read; a value that cannot be spelled
        // out (a number out of range, bad binary digits) names the property like any other.
        if (!IsSymbol('='))
            Fail("'=' expected" + Found());
        try {
            Advance();
            if (auto* strings = As<TStrings>(obj); strings && SameText(name, "Strings")) {
                ReadStringList(*strings, line, path);
                return;
            }
            const TPropInfo* prop = GetPropInfo(obj, name);
            if (!prop)
                FailAt(line, path, "Property " + name + " does not exist");
            ReadValue(obj, *prop, line, path);
        } catch (const ETextFormError& e) {
            if (!e.PropertyPath.empty())
                throw;
            throw ETextFormError(e.FileName, e.Line, path, e.Reason);
        }
    }

    void ReadValue(TObject* obj, const TPropInfo& prop, int line, const std::string& path) {
        auto set = [&](const TValue& v) {
            if (!prop.Set)
                FailAt(line, path, "Property " + prop.Name + " is read-only");
            Guard(line, path, [&] { prop.Set(*obj, v); });
        };
        auto bad = [&]() { FailAt(line, path, "Invalid property value" + Found()); };
        switch (prop.Kind) {
        case TTypeKind::tkInteger:
            if (m_tok.Kind == Tok::Ident) {
                set(TValue(m_tok.Text));
                Advance();
            } else {
                set(TValue(ReadInteger(line, path)));
            }
            return;
        case TTypeKind::tkEnumeration:
            if (m_tok.Kind != Tok::Ident)
                bad();
            set(TValue(m_tok.Text));
            Advance();
            return;
        case TTypeKind::tkSet:
            set(TValue(ReadSet(prop, line, path)));
            return;
        case TTypeKind::tkFloat:
            set(TValue(ReadFloat(line, path)));
            return;
        case TTypeKind::tkString:
            if (m_tok.Kind != Tok::String)
                bad();
            set(TValue(ReadStringExpression()));
            return;
        case TTypeKind::tkBinary:
            if (!IsSymbol('{'))
                bad();
            set(TValue(m_lex.ReadBinary(line)));
            Advance();
            return;
        case TTypeKind::tkMethod: {
            if (m_tok.Kind != Tok::Ident)
                bad();
            const TMethodEntry* method = m_root->ClassType()->FindMethod(m_tok.Text);
            if (!method)
                FailAt(line, path, "Method " + m_tok.Text + " not found in " + m_root->ClassName());
            Advance();
            set(TValue(MethodOf(*method, m_root)));
            return;
        }
        case TTypeKind::tkClass:
            ReadObjectValue(obj, prop, line, path);
            return;
        }
    }

    void ReadObjectValue(TObject* obj, const TPropInfo& prop, int line, const std::string& path) {
        if (IsSymbol('<') || IsSymbol('(')) {
            TObject* sub = std::get<TObject*>(prop.Get(*obj));
            if (IsSymbol('(')) {
                auto* strings = As<TStrings>(sub);
                if (!strings)
                    FailAt(line, path, "Property " + prop.Name + " does not hold a list of strings");
                Advance();
                ReadStringItems(*strings, line, path);
                return;
            }
            auto* collection = As<TCollection>(sub);
            if (!collection)
                FailAt(line, path, "Property " + prop.Name + " does not hold a collection");
            ReadCollection(*collection, line, path);
            return;
        }
        if (m_tok.Kind != Tok::Ident || !prop.PropClass->InheritsFrom(&TComponent::ClassInfo()))
            FailAt(line, path, "Invalid property value" + Found());
        std::string name = ExpectIdent("A component name");
        while (IsSymbol('.')) {
            Advance();
            name += "." + ExpectIdent("A component name");
        }
        if (!prop.Set)
            FailAt(line, path, "Property " + prop.Name + " is read-only");
        if (SameText(name, "nil"))
            Guard(line, path, [&] { prop.Set(*obj, TValue(static_cast<TObject*>(nullptr))); });
        else
            m_fixups.push_back(Fixup{obj, &prop, std::move(name), path, line});
    }

    void ResolveFixup(TComponent* root, const Fixup& f) {
        TComponent* target = nullptr;
        const std::size_t dot = f.Name.find('.');
        if (dot == std::string::npos) {
            // The root answers to the name the text gives it, also when it had to take another.
            target = SameText(m_rootName, f.Name) || SameText(root->Name(), f.Name)
                         ? root
                         : root->FindComponent(f.Name);
        } else if (root->Owner()) {
            // Another form of the same owner: "Form2.ImageList1".
            TComponent* form = root->Owner()->FindComponent(std::string_view(f.Name).substr(0, dot));
            target = form ? form->FindComponent(std::string_view(f.Name).substr(dot + 1)) : nullptr;
        }
        if (!target)
            FailAt(f.Line, f.Path, "Component " + f.Name + " not found");
        Guard(f.Line, f.Path, [&] { f.Prop->Set(*f.Target, TValue(static_cast<TObject*>(target))); });
    }

    std::int64_t ReadInteger(int line, const std::string& path) {
        bool negative = false;
        if (IsSymbol('-') || IsSymbol('+')) {
            negative = IsSymbol('-');
            Advance();
        }
        if (m_tok.Kind != Tok::Integer)
            FailAt(line, path, "Invalid property value" + Found());
        const std::int64_t v = m_tok.Int;
        Advance();
        if (negative && v == std::numeric_limits<std::int64_t>::min())
            FailAt(line, path, "Number is out of range");
        return negative ? -v : v;
    }

    double ReadFloat(int line, const std::string& path) {
        bool negative = false;
        if (IsSymbol('-') || IsSymbol('+')) {
            negative = IsSymbol('-');
            Advance();
        }
        double v = 0;
        if (m_tok.Kind == Tok::Float)
            v = m_tok.Float;
        else if (m_tok.Kind == Tok::Integer)
            v = static_cast<double>(m_tok.Int);
        else
            FailAt(line, path, "Invalid property value" + Found());
        Advance();
        return negative ? -v : v;
    }

    std::int64_t ReadSet(const TPropInfo& prop, int line, const std::string& path) {
        if (!IsSymbol('['))
            FailAt(line, path, "'[' expected" + Found());
        Advance();
        std::int64_t mask = 0;
        while (!IsSymbol(']')) {
            const std::string element = ExpectIdent("A set element");
            auto it = std::find_if(prop.Names.begin(), prop.Names.end(),
                                   [&](const std::string& n) { return SameText(n, element); });
            if (it == prop.Names.end() || it - prop.Names.begin() >= 63)
                FailAt(line, path, "'" + element + "' is not an element of " + prop.Name);
            mask |= std::int64_t{1} << (it - prop.Names.begin());
            if (IsSymbol(','))
                Advance();
            else if (!IsSymbol(']'))
                FailAt(line, path, "',' or ']' expected" + Found());
        }
        Advance();
        return mask;
    }

    // A string, continued with `+` over as many lines as it takes.
    std::string ReadStringExpression() {
        std::string s = std::move(m_tok.Text);
        Advance();
        while (IsSymbol('+')) {
            Advance();
            if (m_tok.Kind != Tok::String)
                Fail("A string expected after '+'" + Found());
            s += m_tok.Text;
            Advance();
        }
        return s;
    }

    void ReadStringList(TStrings& strings, int line, const std::string& path) {
        if (!IsSymbol('('))
            FailAt(line, path, "'(' expected" + Found());
        Advance();
        ReadStringItems(strings, line, path);
    }

    // The items of a list up to its closing parenthesis, which replace what the list held.
    void ReadStringItems(TStrings& strings, int line, const std::string& path) {
        std::vector<std::string> items;
        while (!IsSymbol(')')) {
            if (m_tok.Kind != Tok::String)
                FailAt(m_tok.Line, path, "A string expected in the list" + Found());
            items.push_back(ReadStringExpression());
        }
        Advance();
        Guard(line, path, [&] {
            strings.BeginUpdate();
            try {
                strings.Clear();
                for (const std::string& s : items)
                    strings.Add(s);
            } catch (...) {
                strings.EndUpdate();
                throw;
            }
            strings.EndUpdate();
        });
    }

    void ReadCollection(TCollection& collection, int line, const std::string& path) {
        Advance();  // '<'
        // The items go; references still to be set in them go with them.
        std::erase_if(m_fixups, [&](const Fixup& f) {
            auto* item = As<TCollectionItem>(f.Target);
            return item && item->Collection() == &collection;
        });
        Guard(line, path, [&] { collection.Clear(); });
        int index = 0;
        while (!IsSymbol('>')) {
            if (!IsKeyword("item"))
                FailAt(m_tok.Line, path, "'item' expected" + Found());
            Advance();
            TCollectionItem* item = nullptr;
            Guard(line, path, [&] { item = collection.Add(); });
            const std::string itemPath = path + "[" + std::to_string(index++) + "]";
            while (!IsKeyword("end"))
                ReadProperty(item, itemPath);
            Advance();
        }
        Advance();
    }

    Lexer m_lex;
    const std::string& m_file;
    Token m_tok;
    TComponent* m_root = nullptr;
    std::string m_rootName;
    std::vector<TComponent*> m_loaded;   // in reading order, the root first
    std::vector<TComponent*> m_created;  // made by this read, freed again if it fails
    std::vector<Fixup> m_fixups;
};

}  // namespace

void ReadTextForm(std::string_view Text, TComponent* Root, const std::string& FileName) {
    if (!Root)
        throw EReadError("There is no component to read the description of \"" + FileName + "\" into");
    RegisterFrameworkClasses();
    Reader(Text, FileName).Run(Root, nullptr);
}

TComponent* CreateFromTextForm(std::string_view Text, TComponent* Owner, const std::string& FileName) {
    RegisterFrameworkClasses();
    return Reader(Text, FileName).Run(nullptr, Owner);
}

void ReadTextFormFile(const std::string& FileName, TComponent* Root) {
    ReadTextForm(ReadFileToString(FileName), Root, FileName);
}

TComponent* CreateFromTextFormFile(const std::string& FileName, TComponent* Owner) {
    return CreateFromTextForm(ReadFileToString(FileName), Owner, FileName);
}

}  // namespace framework
