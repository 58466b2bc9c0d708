#pragma once
// The suite's shared colour table: one list of named colours for every colour picker of the
// process, and the search for the entry nearest a colour.

#include "framework/graphics/GraphUtil.h"

namespace sibling {

// The web-named colours, in the order of the framework's table, with readable names ("Floral
// White"). Filled when the program starts; pickers may reorder it in place.
extern framework::TColorArray MyColourArray;

// The index of the entry whose colour lies nearest Colour (system colours resolved; distance in
// red, green and blue), the lowest index among equals; -1 for an empty table.
int NearestColourIndex(framework::TColor Colour, const framework::TColorArray& Table);

}  // namespace sibling
