#pragma once
// Events are code plus the object they are bound to, as in the classic framework: an event
// counts as assigned when its code is set, and two events are equal when both parts match, so
// "this instance's StandardDrawItem" can be told from any other handler.

#include <atomic>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <typeinfo>
#include <utility>

namespace framework {

class TObject;

// An event without its argument types, as the property tables pass it around: the object and
// the code (the classic TMethod), and the event type the code was made for, so that it is only
// ever put back into an event of that type.
struct TMethod {
    void* Data = nullptr;
    void (*Code)() = nullptr;
    const std::type_info* Type = nullptr;
    bool operator==(const TMethod& other) const { return Data == other.Data && Code == other.Code; }
};

template <class... Args> class TEvent {
public:
    TEvent() = default;
    TEvent(std::nullptr_t) {}
    TEvent(const TEvent& other) : m_data(other.m_data), m_code(other.m_code) {
        if (Kept* kept = KeptOf(m_data))
            kept->Refs.fetch_add(1, std::memory_order_relaxed);
    }
    TEvent(TEvent&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr)), m_code(std::exchange(other.m_code, nullptr)) {}
    TEvent& operator=(TEvent other) noexcept {
        std::swap(m_data, other.m_data);
        std::swap(m_code, other.m_code);
        return *this;
    }
    ~TEvent() {
        if (Kept* kept = KeptOf(m_data); kept && kept->Refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
            kept->Free(kept);
    }

    // Binds a method of an object: TEvent::Of<&TMyForm::ButtonClick>(form).
    template <auto Method, class T> static TEvent Of(T* self) {
        static_assert(alignof(T) > 1, "an event tells a kept callable by the lowest bit of its address");
        return TEvent(const_cast<void*>(static_cast<const void*>(self)),
                      [](void* s, Args... a) { (static_cast<T*>(s)->*Method)(std::forward<Args>(a)...); });
    }

    // Binds any callable; the event and its copies keep it alive, and copies compare equal.
    template <class F> static TEvent Lambda(F f) {
        struct Holder : Kept {
            explicit Holder(F fn) : Fn(std::move(fn)) {
                this->Free = [](Kept* k) { delete static_cast<Holder*>(k); };
            }
            F Fn;
        };
        auto* holder = new Holder(std::move(f));
        return TEvent(
            reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(static_cast<Kept*>(holder)) | 1u),
            [](void* k, Args... a) {
                static_cast<Holder*>(static_cast<Kept*>(k))->Fn(std::forward<Args>(a)...);
            });
    }

    explicit operator bool() const { return m_code != nullptr; }
    void operator()(Args... a) const {
        assert(m_code);
        m_code(Data(), std::forward<Args>(a)...);
    }
    bool operator==(const TEvent& other) const { return m_data == other.m_data && m_code == other.m_code; }
    bool operator==(std::nullptr_t) const { return m_code == nullptr; }

    // The event as a TMethod. A bound callable has no such form: it gives an unassigned one.
    TMethod Method() const {
        if (!m_code || KeptOf(m_data))
            return {};
        return {m_data, reinterpret_cast<void (*)()>(m_code), &typeid(TEvent)};
    }
    // The event a TMethod of this event type stands for; an unassigned one for any other.
    static TEvent FromMethod(const TMethod& m) {
        if (!m.Code || !m.Type || *m.Type != typeid(TEvent) || KeptOf(m.Data))
            return {};
        return TEvent(m.Data, reinterpret_cast<Code>(m.Code));
    }

    // The object part of the event (the classic TMethod.Data); for a bound callable, where it
    // is kept.
    void* Data() const {
        return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(m_data) & ~std::uintptr_t{1});
    }

private:
    // A callable bound by Lambda, counted by the events that hold it. Its address is kept with
    // the lowest bit set, which the address of an object an event is bound to never has: an
    // event stays two pointers, as the classic one is, and a form's events take half the room.
    struct Kept {
        std::atomic<long> Refs{1};
        void (*Free)(Kept*) = nullptr;
    };
    static Kept* KeptOf(void* data) {
        const auto bits = reinterpret_cast<std::uintptr_t>(data);
        return (bits & 1u) ? reinterpret_cast<Kept*>(bits & ~std::uintptr_t{1}) : nullptr;
    }
    using Code = void (*)(void*, Args...);
    TEvent(void* data, Code code) : m_data(data), m_code(code) {}

    void* m_data = nullptr;
    Code m_code = nullptr;
};

using TNotifyEvent = TEvent<TObject*>;

}  // namespace framework
