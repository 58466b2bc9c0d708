#include "framework/platform/Clipboard.h"

namespace framework {

namespace {

// The store of a process without a desktop.
class TMemoryStore : public TClipboardStore {
public:
    bool HasText() override { return !m_text.empty(); }
    std::string GetText() override { return m_text; }
    void SetText(const std::string& Text) override { m_text = Text; }
    void Clear() override { m_text.clear(); }

private:
    std::string m_text;
};

struct Stores {
    TMemoryStore memory[2];
    TClipboardStore* installed[2] = {nullptr, nullptr};
};

Stores& stores() {
    static Stores s;
    return s;
}

TClipboardStore& storeFor(TClipboardKind Kind) {
    const auto i = static_cast<std::size_t>(Kind);
    Stores& s = stores();
    return s.installed[i] ? *s.installed[i] : s.memory[i];
}

}  // namespace

std::string TClipboard::AsText() const {
    std::string text = storeFor(m_kind).GetText();
    if (text.size() > kClipboardTextLimit) {
        std::size_t cut = kClipboardTextLimit;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        text.resize(cut);
    }
    return text;
}

void TClipboard::SetAsText(const std::string& Value) { storeFor(m_kind).SetText(Value); }

bool TClipboard::HasFormat(unsigned Format) const {
    return (Format == CF_TEXT || Format == CF_UNICODETEXT) && storeFor(m_kind).HasText();
}

void TClipboard::Clear() { storeFor(m_kind).Clear(); }

TClipboard& Clipboard() {
    static TClipboard clipboard(TClipboardKind::Clipboard);
    return clipboard;
}

TClipboard& PrimarySelection() {
    static TClipboard primary(TClipboardKind::PrimarySelection);
    return primary;
}

TClipboardStore* SetClipboardStore(TClipboardKind Kind, TClipboardStore* Store) {
    TClipboardStore*& slot = stores().installed[static_cast<std::size_t>(Kind)];
    TClipboardStore* previous = slot;
    slot = Store;
    return previous;
}

}  // namespace framework
