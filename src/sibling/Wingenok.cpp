#include "sibling/Wingenok.h"

namespace sibling {

framework::TFormatSettings& UserDefaultFormatSettings = framework::FormatSettings;

}  // namespace sibling
