#include "sibling/Wdef.h"

#include <gtest/gtest.h>

#include <set>

using namespace sibling;

TEST(ListKinds, EveryKindHasANameAndADottedExtensionOrNone) {
    std::set<std::string_view> names;
    for (int list = 0; list < kListKindCount; ++list) {
        const std::string_view name = list_type_as_string[static_cast<std::size_t>(list)];
        EXPECT_FALSE(name.empty()) << list;
        names.insert(name);
        const std::string ext = DefaultExtFromListType(list);
        EXPECT_TRUE(ext.empty() || (ext.size() > 1 && ext.front() == '.')) << list;
        EXPECT_GE(ToolTypeFromListType(list), 0);
        EXPECT_LT(ToolTypeFromListType(list), kToolCount);
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kListKindCount));
}

TEST(ListKinds, ValuesOutsideTheRangeAreNoKind) {
    for (const int list : {-1, kListKindCount, 1000}) {
        EXPECT_EQ(DefaultExtFromListType(list), "");
        EXPECT_EQ(ToolTypeFromListType(list), tt_launcher);
    }
    EXPECT_EQ(DefaultExtFromToolType(static_cast<tool_type>(kToolCount)), "");
    EXPECT_EQ(Tool_Name(static_cast<tool_type>(-1)), "");
}

TEST(ListKinds, EveryToolHasANameAndItsOwnExtension) {
    std::set<std::string> exts;
    for (int tool = 0; tool < kToolCount; ++tool) {
        EXPECT_FALSE(Tool_Name(tool_type(tool)).empty());
        exts.insert(DefaultExtFromToolType(tool_type(tool)));
    }
    EXPECT_EQ(exts.size(), static_cast<std::size_t>(kToolCount));
}

TEST(ListKinds, OnlyALeadingDotIsTakenOff) {
    EXPECT_EQ(WithoutDotDefaultExt(".txt"), "txt");
    EXPECT_EQ(WithoutDotDefaultExt("txt"), "txt");
    EXPECT_EQ(WithoutDotDefaultExt("..a"), ".a");
    EXPECT_EQ(WithoutDotDefaultExt(""), "");
}
