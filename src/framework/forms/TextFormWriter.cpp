#include "framework/forms/TextForms.h"

#include "framework/classes/Collection.h"
#include "framework/classes/Strings.h"

#include <charconv>
#include <cmath>

namespace framework {

namespace {

// Sub-objects (a font, a collection's items) nest no deeper than this.
constexpr int kMaxSubObjectDepth = 8;
// Long strings and binary data are broken into lines of about this many characters.
constexpr std::size_t kLineWidth = 64;

// A string as a description writes it: printable runs in quotes, control characters as codes,
// long texts continued with `+` on the next line.
void writeString(std::string& out, const std::string& s, const std::string& indent) {
    if (s.empty()) {
        out += "''";
        return;
    }
    bool quoted = false;
    std::size_t lineStart = out.size();
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        // Break only between characters, never inside a UTF-8 sequence.
        if (out.size() - lineStart >= kLineWidth && (c & 0xC0) != 0x80) {
            if (quoted)
                out += '\'';
            quoted = false;
            out += " +\n" + indent + "  ";
            lineStart = out.size();
        }
        if (c < 32 || c == 127) {
            if (quoted)
                out += '\'';
            quoted = false;
            out += '#' + std::to_string(c);
            continue;
        }
        if (!quoted)
            out += '\'';
        quoted = true;
        out += static_cast<char>(c);
        if (c == '\'')
            out += '\'';
    }
    if (quoted)
        out += '\'';
}

void writeFloat(std::string& out, double v) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, end);
}

class Writer {
public:
    explicit Writer(const TComponent* root) : m_root(root) {}

    void Component(const TComponent* c, const std::string& indent) {
        m_out += indent + "object ";
        if (!c->Name().empty())
            m_out += c->Name() + ": ";
        m_out += c->ClassName() + "\n";
        Properties(c, {}, indent + "  ", 0);
        std::vector<TComponent*> children;
        if (c == m_root)
            for (int i = 0; i < c->ComponentCount(); ++i)
                if (!c->Components(i)->GetParentComponent())
                    children.push_back(c->Components(i));
        c->GetChildren(children, m_root);
        for (const TComponent* child : children)
            if (!child->Transient())
                Component(child, indent + "  ");
        m_out += indent + "end\n";
    }

    std::string Text() { return std::move(m_out); }

private:
    void Properties(const TObject* obj, const std::string& prefix, const std::string& indent, int depth) {
        for (const TPropInfo* prop : obj->ClassType()->Props()) {
            if (prefix.empty() && prop->Name == "Name" && obj->Is<TComponent>())
                continue;  // the object line carries it
            if (prop->Stored && !prop->Stored(*obj))
                continue;
            Property(obj, *prop, prefix + prop->Name, indent, depth);
        }
    }

    void Property(const TObject* obj, const TPropInfo& prop, const std::string& path,
                  const std::string& indent, int depth) {
        const TValue value = prop.Get(*obj);
        switch (prop.Kind) {
        case TTypeKind::tkClass: {
            const TObject* sub = std::get<TObject*>(value);
            if (!sub)
                return;
            if (prop.PropClass->InheritsFrom(&TComponent::ClassInfo())) {
                if (prop.Set)
                    Reference(static_cast<const TComponent*>(sub), path, indent);
            } else if (const auto* strings = As<TStrings>(const_cast<TObject*>(sub))) {
                StringList(*strings, path, indent);
            } else if (const auto* collection = As<TCollection>(const_cast<TObject*>(sub))) {
                Collection(*collection, path, indent, depth);
            } else if (depth < kMaxSubObjectDepth) {
                Properties(sub, path + ".", indent, depth + 1);
            }
            return;
        }
        case TTypeKind::tkMethod: {
            const TMethod m = std::get<TMethod>(value);
            const TMethodEntry* entry = m_root->ClassType()->FindMethodByCode(m.Code);
            if (prop.Set && entry && entry->Self(const_cast<TComponent*>(m_root)) == m.Data)
                m_out += indent + path + " = " + entry->Name + "\n";
            return;
        }
        case TTypeKind::tkBinary:
            if (prop.Set && !std::get<std::string>(value).empty())
                Binary(std::get<std::string>(value), path, indent);
            return;
        case TTypeKind::tkString:
            if (prop.Set && !std::get<std::string>(value).empty()) {
                m_out += indent + path + " = ";
                writeString(m_out, std::get<std::string>(value), indent);
                m_out += "\n";
            }
            return;
        case TTypeKind::tkFloat:
            if (prop.Set && std::get<double>(value) != 0.0 && std::isfinite(std::get<double>(value))) {
                m_out += indent + path + " = ";
                writeFloat(m_out, std::get<double>(value));
                m_out += "\n";
            }
            return;
        default:
            if (prop.Set && !(prop.Default && GetOrdProp(obj, &prop) == *prop.Default))
                m_out += indent + path + " = " + PropValueToText(obj, &prop) + "\n";
            return;
        }
    }

    void Reference(const TComponent* target, const std::string& path, const std::string& indent) {
        std::string name;
        if (target == m_root || target->Owner() == m_root)
            name = target->Name();
        else if (target->Owner() && !target->Owner()->Name().empty() && !target->Name().empty())
            name = target->Owner()->Name() + "." + target->Name();
        if (!name.empty())
            m_out += indent + path + " = " + name + "\n";
    }

    void StringList(const TStrings& strings, const std::string& path, const std::string& indent) {
        if (strings.Count() == 0)
            return;
        m_out += indent + path + ".Strings = (";
        for (int i = 0; i < strings.Count(); ++i) {
            m_out += "\n" + indent + "  ";
            writeString(m_out, strings.Strings(i), indent + "  ");
        }
        m_out += ")\n";
    }

    void Collection(const TCollection& collection, const std::string& path, const std::string& indent,
                    int depth) {
        if (collection.Count() == 0 || depth >= kMaxSubObjectDepth)
            return;
        m_out += indent + path + " = <";
        for (int i = 0; i < collection.Count(); ++i) {
            m_out += "\n" + indent + "  item\n";
            Properties(collection.Items(i), {}, indent + "    ", depth + 1);
            m_out += indent + "  end";
        }
        m_out += ">\n";
    }

    void Binary(const std::string& bytes, const std::string& path, const std::string& indent) {
        static const char digits[] = "0123456789ABCDEF";
        m_out += indent + path + " = {";
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i % (kLineWidth / 2) == 0)
                m_out += "\n" + indent + "  ";
            const auto b = static_cast<unsigned char>(bytes[i]);
            m_out += digits[b >> 4];
            m_out += digits[b & 15];
        }
        m_out += "}\n";
    }

    const TComponent* m_root;
    std::string m_out;
};

}  // namespace

std::string WriteTextForm(const TComponent* Root) {
    Writer writer(Root);
    writer.Component(Root, {});
    return writer.Text();
}

}  // namespace framework
