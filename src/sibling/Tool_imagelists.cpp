#include "sibling/Tool_imagelists.h"

namespace sibling {

int ImageListMainNum(int Num, int Height) { return Num < 0 || Height < 1 ? -1 : Num; }

}  // namespace sibling
