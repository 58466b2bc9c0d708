#include "sibling/My_tmsstylebase.h"

namespace sibling {

vendor::TTMSStyle Global_TMSStyle = vendor::tsLight;

}  // namespace sibling
