#pragma once
// Master icon numbers and the image lists of the nine sizes: every master list holds the
// suite's icons in master order, so a master number is the same index in the list of any
// height.

namespace sibling {

// The index, within the master list of that height, of master icon number Num; -1 (no
// image) for a negative number or a height that has no master list (below 1).
int ImageListMainNum(int Num, int Height);

}  // namespace sibling
