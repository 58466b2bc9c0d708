#include "framework/controls/FileCtrl.h"

#include "framework/rtl/Paths.h"

namespace framework {

std::string MinimizeName(const std::string& FileName, TCanvas& Canvas, int MaxLen) {
    return MinimizeName(
        FileName, [&Canvas](const std::string& s) { return Canvas.TextWidth(s); }, MaxLen);
}

}  // namespace framework
