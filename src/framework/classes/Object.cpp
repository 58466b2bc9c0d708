#include "framework/classes/Object.h"

#include "framework/classes/Message.h"
#include "framework/classes/TypInfo.h"
#include "framework/rtl/Exceptions.h"

#include <cstdio>

namespace framework {

const TClassInfo& TObject::ClassInfo() {
    static const TClassInfo info = TClassInfo::Root("TObject");
    return info;
}

std::string TObject::ClassName() const { return ClassType()->ClassName(); }

bool TObject::InheritsFrom(TClass cls) const { return ClassType()->InheritsFrom(cls); }

void TObject::Dispatch(TMessage& Message) { DispatchFrom(ClassType(), Message); }

void TObject::DispatchFrom(TClass Start, TMessage& Message) {
    for (TClass c = Start; c; c = c->ClassParent())
        if (const auto* handler = c->FindOwnMessageHandler(Message.Msg)) {
            (*handler)(*this, Message);
            return;
        }
    DefaultHandler(Message);
}

void TObject::DefaultHandler(TMessage&) {}

namespace {
TDestructionErrorHandler g_destructionErrorHandler = nullptr;

void ReportDestructionError(const std::exception& Error) {
    if (g_destructionErrorHandler)
        g_destructionErrorHandler(Error);
    else
        std::fprintf(stderr, "%s\n", Error.what());
}
}  // namespace

void SetDestructionErrorHandler(TDestructionErrorHandler Handler) { g_destructionErrorHandler = Handler; }

void TObject::Free() {
    try {
        BeforeDestruction();
    } catch (const std::exception& e) {
        // The object goes all the same; the error is told once it is gone.
        delete this;
        ReportDestructionError(e);
        return;
    } catch (...) {
        delete this;
        ReportDestructionError(Exception("An unknown error occurred while an object was freed"));
        return;
    }
    delete this;
}

const TClassInfo& TPersistent::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TPersistent, TObject>("TPersistent");
    return info;
}

void TPersistent::Assign(const TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) const {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}

}  // namespace framework
