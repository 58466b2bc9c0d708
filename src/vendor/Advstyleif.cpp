#include "vendor/Advstyleif.h"

namespace vendor {

std::string_view TMSStyleName(TTMSStyle AStyle) {
    switch (AStyle) {
    case tsLight:
        return "Light";
    case tsBlue:
        return "Blue";
    case tsSilver:
        return "Silver";
    case tsOlive:
        return "Olive";
    case tsDark:
        return "Dark";
    case tsHighContrast:
        return "High contrast";
    }
    return "Light";
}

}  // namespace vendor
