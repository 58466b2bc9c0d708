#include "sibling/Wdef.h"

namespace sibling {

namespace {

struct ListKind {
    std::string_view Name;
    std::string_view Ext;
    tool_type Tool;
    bool Saveable;
};

// clang-format off
constexpr std::array<ListKind, kListKindCount> kListKinds{{
    {"Undefined list",        "",     tt_launcher,      false},  // 0
    {"Context lines",         ".ctx", tt_contexts,      true},
    {"Context collocates",    ".ccl", tt_contexts,      true},
    {"Context patterns",      ".cpt", tt_contexts,      true},
    {"Context clusters",      ".ccs", tt_contexts,      true},
    {"Context plot",          ".cpl", tt_contexts,      false},  // 5
    {"Context sources",       "",     tt_contexts,      false},
    {"Frequency list",        ".frq", tt_frequencies,   true},
    {"Frequency statistics",  ".fst", tt_frequencies,   true},
    {"Frequency index",       ".fix", tt_frequencies,   true},
    {"Detailed consistency",  ".dcn", tt_frequencies,   true},   // 10
    {"Simple consistency",    ".dcn", tt_frequencies,   true},
    {"Lemma list",            ".lem", tt_frequencies,   false},
    {"Stop list",             ".stp", tt_frequencies,   true},
    {"Match list",            ".mtl", tt_frequencies,   true},
    {"Cluster list",          ".cls", tt_clusters,      true},   // 15
    {"Cluster links",         ".clk", tt_clusters,      true},
    {"Phrase frames",         ".phf", tt_clusters,      true},
    {"Key words",             ".kns", tt_keyness,       true},
    {"Key key words",         ".kkw", tt_keyness,       true},
    {"Associates",            ".asc", tt_keyness,       true},   // 20
    {"Key word plot",         ".kpl", tt_keyness,       false},
    {"Key word links",        ".klk", tt_keyness,       true},
    {"Reference frequencies", ".rfq", tt_frequencies,   true},
    {"Text list",             ".txl", tt_texts,         true},
    {"Aligned text",          ".ALI", tt_texts,         false},  // 25
    {"Unaligned text",        ".VWR", tt_texts,         false},
    {"Subtitle text",         ".srt", tt_texts,         false},
    {"Collocate list",        ".clc", tt_collocates,    true},
    {"Collocate patterns",    ".cpn", tt_collocates,    true},
    {"Mutual information",    ".mui", tt_collocates,    true},   // 30
    {"Dispersion plot",       ".dsp", tt_dispersion,    true},
    {"Dispersion values",     ".dsv", tt_dispersion,    true},
    {"Corpus file list",      ".cbd", tt_corpusbuilder, true},
    {"Corpus tags",           ".ctg", tt_corpusbuilder, true},
    {"Corpus metadata",       ".cmd", tt_corpusbuilder, false},  // 35
    {"Corpus sets",           ".cst", tt_corpusbuilder, true},
    {"Tessellation",          ".tsl", tt_tessellator,   true},
    {"Tessellation layers",   ".tsy", tt_tessellator,   true},
    {"Orvane list",           ".orv", tt_orvane,        true},
    {"Orvane groups",         ".org", tt_orvane,        true},   // 40
    {"Batch list",            ".zip", tt_launcher,      false},
    {"Log list",              ".log", tt_launcher,      false},
}};
// clang-format on

constexpr std::array<std::string_view, kToolCount> kToolExts{".lnc", ".ctx", ".frq", ".cls", ".kns", ".txt",
                                                             ".clc", ".dsp", ".cbd", ".tsl", ".orv"};

constexpr bool isListKind(TLumoraList List) { return List >= 0 && List < kListKindCount; }

constexpr const ListKind& kind(TLumoraList List) { return kListKinds[static_cast<std::size_t>(List)]; }

constexpr std::array<std::string_view, kListKindCount> names() {
    std::array<std::string_view, kListKindCount> out{};
    for (int i = 0; i < kListKindCount; ++i)
        out[static_cast<std::size_t>(i)] = kind(i).Name;
    return out;
}

std::bitset<kListKindCount> saveable() {
    std::bitset<kListKindCount> out;
    for (int i = 0; i < kListKindCount; ++i)
        out[static_cast<std::size_t>(i)] = kind(i).Saveable;
    return out;
}

}  // namespace

constexpr std::array<std::string_view, kListKindCount> list_type_as_string = names();
const std::bitset<kListKindCount> SaveableListTypes = saveable();

std::string DefaultExtFromToolType(tool_type Tool) {
    if (Tool < 0 || Tool >= kToolCount)
        return std::string();
    return std::string(kToolExts[static_cast<std::size_t>(Tool)]);
}

std::string DefaultExtFromListType(TLumoraList List) {
    return isListKind(List) ? std::string(kind(List).Ext) : std::string();
}

tool_type ToolTypeFromListType(TLumoraList List) { return isListKind(List) ? kind(List).Tool : tt_launcher; }

std::string WithoutDotDefaultExt(std::string_view Ext) {
    if (!Ext.empty() && Ext.front() == '.')
        Ext.remove_prefix(1);
    return std::string(Ext);
}

}  // namespace sibling
