#pragma once
// The suite's office pager: the vendor pager under the package's own name, so that it can
// stand on the designer's palette.

#include "vendor/AdvOfficePager.h"

namespace lm7 {

class TLMAdvOfficePager : public vendor::TAdvOfficePager {
public:
    using vendor::TAdvOfficePager::TAdvOfficePager;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }
};

namespace My_TMSAdvOfficePagerU {
// Puts TLMAdvOfficePager on the designer's "Samples" page.
void Register();
}  // namespace My_TMSAdvOfficePagerU

}  // namespace lm7
