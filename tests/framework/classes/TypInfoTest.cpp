#include "framework/classes/TypInfo.h"
#include "framework/classes/Component.h"
#include "framework/classes/Message.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

using namespace framework;

namespace {

enum class TShape { stCircle, stSquare, stStar };

// A small class hierarchy with every kind of published property.
class TBase : public TComponent {
public:
    using TComponent::TComponent;
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info = TClassInfo::Derive<TBase, TComponent>("TBase")
                                           .Integer<TBase>("Width", &TBase::Width, &TBase::SetWidth, 10)
                                           .Bool<TBase>("Visible", &TBase::visible, &TBase::visible, true)
                                           .String<TBase>("Caption", &TBase::caption, &TBase::caption)
                                           .Integer<TBase>("Count", &TBase::Count)  // read-only
                                           .Message<TBase>(0x0400 + 1, &TBase::WMUserOne);
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }

    int Width() const { return width; }
    void SetWidth(int v) { width = v; }
    int Count() const { return 3; }
    void WMUserOne(TMessage& m) {
        handled.push_back("base");
        m.Result = 1;
    }
    void DefaultHandler(TMessage& m) override { handled.push_back("default " + std::to_string(m.Msg)); }

    int width = 10;
    bool visible = true;
    std::string caption;
    std::vector<std::string> handled;
};

class TDerived : public TBase {
public:
    using TBase::TBase;
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info =
            TClassInfo::Derive<TDerived, TBase>("TDerived")
                .Enum<TDerived>("Shape", {"stCircle", "stSquare", "stStar"}, &TDerived::shape,
                                &TDerived::shape)
                .Float<TDerived>("Scale", &TDerived::scale, &TDerived::scale)
                .SetOf<TDerived>("Options", {"opA", "opB", "opC"}, &TDerived::options, &TDerived::options)
                .Object<TDerived, TBase>("Partner", &TDerived::partner, &TDerived::partner)
                .Message<TDerived>(0x0400 + 1, &TDerived::WMUserOne);
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }

    void WMUserOne(TMessage& m) {
        handled.push_back("derived");
        DispatchFrom(ClassInfo().ClassParent(), m);  // the classic `inherited`
    }

    TShape shape = TShape::stCircle;
    double scale = 1.0;
    std::uint32_t options = 0;
    TBase* partner = nullptr;
};

struct TypInfoTest : ::testing::Test {
    std::unique_ptr<TDerived, TFreeDeleter> obj{Create<TDerived>(nullptr)};
    std::unique_ptr<TBase, TFreeDeleter> other{Create<TBase>(nullptr)};
};

}  // namespace

TEST_F(TypInfoTest, InheritedPropertiesAreFoundCaseInsensitively) {
    EXPECT_NE(GetPropInfo(obj.get(), "width"), nullptr);
    EXPECT_NE(GetPropInfo(obj.get(), "NAME"), nullptr);  // from TComponent
    EXPECT_EQ(GetPropInfo(other.get(), "Shape"), nullptr);
    EXPECT_EQ(GetPropInfo(obj.get(), "Nope"), nullptr);
    auto props = obj->ClassType()->Props();
    ASSERT_GE(props.size(), 9u);
    EXPECT_EQ(props.front()->Name, "Name");  // root class first, in published order
    EXPECT_EQ(props.back()->Name, "Partner");
}

TEST_F(TypInfoTest, ClassReferencesAnswerInheritsFrom) {
    EXPECT_TRUE(obj->InheritsFrom(&TBase::ClassInfo()));
    EXPECT_TRUE(obj->Is<TComponent>());
    EXPECT_FALSE(other->Is<TDerived>());
    EXPECT_EQ(obj->ClassName(), "TDerived");
    EXPECT_EQ(As<TDerived>(other.get()), nullptr);
}

TEST_F(TypInfoTest, OrdinalReadsCoverObjectsAndNil) {
    EXPECT_EQ(GetOrdProp(obj.get(), "Width"), 10);
    EXPECT_EQ(GetOrdProp(obj.get(), "Visible"), 1);
    EXPECT_EQ(GetOrdProp(obj.get(), "Partner"), 0);
    SetObjectProp(obj.get(), "Partner", other.get());
    EXPECT_EQ(GetOrdProp(obj.get(), "Partner"), reinterpret_cast<std::intptr_t>(other.get()));
    EXPECT_THROW(GetOrdProp(obj.get(), "Caption"), EPropertyError);
    EXPECT_THROW(GetOrdProp(obj.get(), "Missing"), EPropertyError);
}

TEST_F(TypInfoTest, SetPropValueConvertsLikeVariants) {
    SetPropValue(obj.get(), "Width", TValue(std::string("42")));
    EXPECT_EQ(obj->Width(), 42);
    SetPropValue(obj.get(), "Shape", TValue(std::string("ststar")));
    EXPECT_EQ(obj->shape, TShape::stStar);
    SetPropValue(obj.get(), "Visible", TValue(std::string("False")));
    EXPECT_FALSE(obj->visible);
    SetPropValue(obj.get(), "Scale", TValue(std::int64_t(3)));
    EXPECT_DOUBLE_EQ(obj->scale, 3.0);
    SetPropValue(obj.get(), "Caption", TValue(std::int64_t(7)));
    EXPECT_EQ(obj->caption, "7");
}

TEST_F(TypInfoTest, FailedSetsRaiseAndLeaveTheObjectAlone) {
    EXPECT_THROW(SetPropValue(obj.get(), "Count", TValue(std::int64_t(1))), EPropertyError);
    EXPECT_THROW(SetPropValue(obj.get(), "Nope", TValue(std::int64_t(1))), EPropertyError);
    EXPECT_THROW(SetPropValue(obj.get(), "Width", TValue(std::string("12abc"))), EPropertyConvertError);
    EXPECT_THROW(SetPropValue(obj.get(), "Width", TValue(std::int64_t(1) << 40)), EPropertyConvertError);
    EXPECT_THROW(SetPropValue(obj.get(), "Shape", TValue(std::int64_t(5))), EPropertyConvertError);
    auto* plain = Create<TComponent>(nullptr);
    EXPECT_THROW(SetObjectProp(obj.get(), "Partner", plain), EPropertyConvertError);  // not a TBase
    plain->Free();
    EXPECT_EQ(obj->Width(), 10);
    EXPECT_EQ(obj->shape, TShape::stCircle);
    EXPECT_EQ(obj->partner, nullptr);
}

TEST_F(TypInfoTest, SetsAndEnumerationsTravelAsText) {
    const TPropInfo* options = GetPropInfo(obj.get(), "Options");
    SetPropFromText(obj.get(), options, "[opA, opC]");
    EXPECT_EQ(obj->options, 0b101u);
    EXPECT_EQ(PropValueToText(obj.get(), options), "[opA, opC]");
    EXPECT_THROW(SetPropFromText(obj.get(), options, "[opD]"), EPropertyConvertError);
    SetPropFromText(obj.get(), options, "[]");
    EXPECT_EQ(obj->options, 0u);
    EXPECT_EQ(PropValueToText(obj.get(), GetPropInfo(obj.get(), "Shape")), "stCircle");
}

TEST_F(TypInfoTest, MessagesFindTheMostDerivedHandlerAndInherited) {
    TMessage m{0x0401, 0, 0, 0};
    obj->Dispatch(m);
    EXPECT_EQ(obj->handled, (std::vector<std::string>{"derived", "base"}));
    EXPECT_EQ(m.Result, 1);
    TMessage unknown{0x0999, 0, 0, 0};
    obj->Dispatch(unknown);
    EXPECT_EQ(obj->handled.back(), "default 2457");
}

TEST_F(TypInfoTest, RegisteredClassesCreateComponentsByName) {
    RegisterClass(&TDerived::ClassInfo());
    TClass cls = FindClass("tderived");
    std::unique_ptr<TComponent, TFreeDeleter> made(cls->CreateInstance(nullptr));
    EXPECT_TRUE(made->Is<TDerived>());
    EXPECT_THROW(FindClass("TUnknownThing"), EClassNotFound);
}
