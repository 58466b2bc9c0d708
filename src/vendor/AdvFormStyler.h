#pragma once
// The pack's form styler: a non-visual component dropped on a form that holds one colour style
// and hands it to every component of that form that takes styles. A change of style is
// reported through OnChange once the components have it; setting the style the styler already
// holds does nothing and reports nothing, so a handler that sets the style again ends there.

#include "framework/classes/Component.h"
#include "vendor/Advstyleif.h"

namespace vendor {

class TAdvFormStyler : public framework::TComponent {
public:
    explicit TAdvFormStyler(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    TTMSStyle Style() const { return m_style; }
    void SetStyle(TTMSStyle Value);

    framework::TNotifyEvent OnChange;

protected:
    void Loaded() override;

private:
    // Hands the style to Container's components and, below them, to what they own.
    void StyleComponents(framework::TComponent* Container);

    TTMSStyle m_style = tsLight;
};

}  // namespace vendor
