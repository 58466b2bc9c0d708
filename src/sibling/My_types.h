#pragma once
// The suite's tools, and the name each shows its users.

#include <string>

namespace sibling {

enum tool_type : int {
    tt_launcher,
    tt_contexts,
    tt_frequencies,
    tt_clusters,
    tt_keyness,  // also reads the frequency tool's reference lists
    tt_texts,    // plain, subtitle and aligned texts
    tt_collocates,
    tt_dispersion,
    tt_corpusbuilder,
    tt_tessellator,
    tt_orvane,
};
inline constexpr int kToolCount = tt_orvane + 1;

// The display name of a tool; an ordinal outside the suite gives "".
std::string Tool_Name(tool_type Tool);

}  // namespace sibling
