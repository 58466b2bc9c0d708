#pragma once
// The root of the object model: class references, run-time class tests, two-phase creation
// and Free, as the classic framework has them.

#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace framework {

class TClassInfo;
struct TMessage;
// A class reference: comparable, storable in arrays, and able to answer InheritsFrom.
using TClass = const TClassInfo*;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // Every class with a published face defines ClassInfo() and overrides ClassType().
    static const TClassInfo& ClassInfo();
    virtual TClass ClassType() const { return &ClassInfo(); }
    std::string ClassName() const;
    bool InheritsFrom(TClass cls) const;
    template <class T> bool Is() const { return InheritsFrom(&T::ClassInfo()); }

    // Finds the handler for the message's number in the class table, from this class up; a
    // message no class handles goes to DefaultHandler.
    void Dispatch(TMessage& Message);
    // The classic `inherited` inside a message handler: search from the class Start upwards.
    void DispatchFrom(TClass Start, TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    // Runs after the C++ constructors of every level, so virtual calls reach the most derived
    // class as a classic constructor's do. Create<T>() calls it.
    virtual void AfterConstruction() {}
    // Runs before any destructor, while the whole object still exists. Free() calls it.
    virtual void BeforeDestruction() {}
    // BeforeDestruction(), then delete. Never raises: freeing runs inside owners' destructors
    // and smart pointers, where an error would end the program. An error raised by
    // BeforeDestruction (a save that failed) still frees the object and then goes to the
    // destruction error handler.
    void Free();
};

// Where errors raised while objects are freed go. The application puts its HandleException
// here; until then they are written to stderr.
using TDestructionErrorHandler = void (*)(const std::exception& Error);
void SetDestructionErrorHandler(TDestructionErrorHandler Handler);

// Two-phase creation: construct, then AfterConstruction(). If that raises, the object is
// destroyed and the error passes on, as with a failing classic constructor. Components can be
// made in no other way (their class-scope operator new is deleted); this reaches the global one.
template <class T, class... Args> T* Create(Args&&... args) {
    T* obj = ::new T(std::forward<Args>(args)...);
    try {
        obj->AfterConstruction();
    } catch (...) {
        obj->Free();
        throw;
    }
    return obj;
}

// Frees an object that may be null and clears the reference.
template <class T> void FreeAndNil(T*& obj) {
    T* old = obj;
    obj = nullptr;
    if (old)
        old->Free();
}

// Deleter for roots that sit in a smart pointer (a test's form, a global list).
struct TFreeDeleter {
    void operator()(TObject* obj) const {
        if (obj)
            obj->Free();
    }
};

// The classic `as`: a checked cast that answers null instead of raising.
template <class T> T* As(TObject* obj) { return obj && obj->Is<T>() ? static_cast<T*>(obj) : nullptr; }

class TPersistent : public TObject {
public:
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // Copies the state of Source; raises EConvertError when the classes do not fit.
    virtual void Assign(const TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest) const;
};

}  // namespace framework
