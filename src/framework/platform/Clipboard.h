#pragma once
// The clipboard, and the X11 primary selection beside it. Both are stores the platform keeps:
// in the process by default, so tests and pictures work without a desktop; a window host puts
// the desktop's own stores in their place while it runs.

#include <cstddef>
#include <string>

namespace framework {

// The classic clipboard format numbers; text is the one format kept here.
inline constexpr unsigned CF_TEXT = 1;
inline constexpr unsigned CF_UNICODETEXT = 13;

// Text longer than this (in bytes) is cut there, at a character boundary, when it is read
// from a store, so that a huge clipboard never stalls an edit.
inline constexpr std::size_t kClipboardTextLimit = 4u << 20;

// Where clipboard text is kept.
class TClipboardStore {
public:
    virtual ~TClipboardStore() = default;
    virtual bool HasText() = 0;
    // Empty when there is no text, or its owner has gone.
    virtual std::string GetText() = 0;
    virtual void SetText(const std::string& Text) = 0;
    virtual void Clear() = 0;
};

enum class TClipboardKind { Clipboard, PrimarySelection };

class TClipboard {
public:
    explicit TClipboard(TClipboardKind Kind) : m_kind(Kind) {}
    // The text, UTF-8 as the store gave it (callers clean it), cut to kClipboardTextLimit.
    std::string AsText() const;
    void SetAsText(const std::string& Value);
    bool HasFormat(unsigned Format) const;
    void Clear();

private:
    TClipboardKind m_kind;
};

TClipboard& Clipboard();
TClipboard& PrimarySelection();
// Puts Store in place for Kind (null: the in-process one again); answers the one before.
// The caller keeps ownership.
TClipboardStore* SetClipboardStore(TClipboardKind Kind, TClipboardStore* Store);

}  // namespace framework
