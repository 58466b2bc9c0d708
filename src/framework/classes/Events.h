#pragma once
// Events are code plus the object they are bound to, as in the classic framework: an event
// counts as assigned when its code is set, and two events are equal when both parts match, so
// "this instance's StandardDrawItem" can be told from any other handler.

#include <cassert>
#include <cstddef>
#include <memory>
#include <utility>

namespace framework {

class TObject;

template <class... Args> class TEvent {
public:
    TEvent() = default;
    TEvent(std::nullptr_t) {}

    // Binds a method of an object: TEvent::Of<&TMyForm::ButtonClick>(form).
    template <auto Method, class T> static TEvent Of(T* self) {
        return TEvent(static_cast<void*>(self),
                      [](void* s, Args... a) { (static_cast<T*>(s)->*Method)(std::forward<Args>(a)...); });
    }

    // Binds any callable; the event keeps it alive. Copies of one such event compare equal.
    template <class F> static TEvent Lambda(F f) {
        auto holder = std::make_shared<F>(std::move(f));
        TEvent e(holder.get(), [](void* s, Args... a) { (*static_cast<F*>(s))(std::forward<Args>(a)...); });
        e.m_keep = std::move(holder);
        return e;
    }

    explicit operator bool() const { return m_code != nullptr; }
    void operator()(Args... a) const {
        assert(m_code);
        m_code(m_data, std::forward<Args>(a)...);
    }
    bool operator==(const TEvent& other) const { return m_data == other.m_data && m_code == other.m_code; }
    bool operator==(std::nullptr_t) const { return m_code == nullptr; }

    // The object part of the event (the classic TMethod.Data).
    void* Data() const { return m_data; }

private:
    using Code = void (*)(void*, Args...);
    TEvent(void* data, Code code) : m_data(data), m_code(code) {}

    void* m_data = nullptr;
    Code m_code = nullptr;
    std::shared_ptr<void> m_keep;
};

using TNotifyEvent = TEvent<TObject*>;

}  // namespace framework
