#include "forms/My_TMSAdvOfficePagerU.h"

#include "framework/classes/Palette.h"

namespace lm7 {

using namespace framework;

// Every property of the vendor pager is published already; the class adds only its name.
const TClassInfo& TLMAdvOfficePager::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TLMAdvOfficePager, vendor::TAdvOfficePager>("TLMAdvOfficePager");
    return info;
}

namespace My_TMSAdvOfficePagerU {

void Register() { RegisterComponents("Samples", {&TLMAdvOfficePager::ClassInfo()}); }

}  // namespace My_TMSAdvOfficePagerU

}  // namespace lm7
