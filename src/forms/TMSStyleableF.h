#pragma once
// The base of every tool window of the suite. A window derived from it follows the suite's
// colour style (a form styler hands the style to its controls; the background takes the
// style's colour), follows the screen resolution (after each show and each resolution change
// it sets the shared toolbar image height and, away from 96 pixels per inch, corrects the
// sizes and image lists of its list-like controls), obeys the style broadcast of the suite's
// launching program, and keeps its controls' state in the ini file its TheIniName names.

#include "forms/My_TMSAdvOfficePagerU.h"
#include "framework/classes/List.h"
#include "framework/forms/Forms.h"
#include "sibling/Tool_image_basics.h"
#include "vendor/AdvFormStyler.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace lm7 {

enum TEnableDisable { ed_enable, ed_disable };

// The broadcast of the suite's launching program to all its windows, and its command for a
// change of colour style (the style's number is the message's LParam).
inline constexpr std::uint32_t WM_BROADCASTBYSHELL = framework::WM_USER + 232;
inline constexpr std::uint16_t kStyleChangeCommand = 703;

class TTMSStylableForm : public framework::TForm {
public:
    explicit TTMSStylableForm(framework::TComponent* AOwner);
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    // The creation steps run here, after the layout, before OnCreate.
    void AfterConstruction() override;
    // The ini file is written here, while the whole window, descendant included, still exists.
    void BeforeDestruction() override;

    // For a window whose creation steps have not run (they run once).
    void FormCreate(framework::TObject* Sender);
    vendor::TAdvFormStyler* GetFormStyler() const { return FormStylerPAI; }
    // The window rectangle the last resolution change suggested; the window is not moved to it.
    framework::TRect RecommendedSize() const { return Win_recommended_size; }

    // Handlers a window's layout connects by name.
    void FormActivate(framework::TObject* Sender);
    void FormShow(framework::TObject* Sender);
    void FormClose(framework::TObject* Sender, framework::TCloseAction& Action);
    void FormDestroy(framework::TObject* Sender);

    virtual void AppActivate(framework::TObject* Sender);
    // Recomputes the shared image height and scale, and corrects the collected components
    // once the window has met a resolution other than 96 pixels per inch.
    virtual void CorrigeFormScreenRes();
    // Takes the current style again: background colour, styler, repaint.
    virtual void MudancaDeEstilo(framework::TObject* Sender);
    // The full path of the window's ini file; empty (nothing kept) in the base class.
    virtual std::string TheIniName();
    // A form that stands for this window when its centre is asked for; null in the base class.
    virtual framework::TCustomForm* GetChildForm();

protected:
    void DoCreateThings();
    // Attaches the styler (once) with the current style and collects AForm's components whose
    // sizes follow the resolution.
    void AddAFormStyler(TTMSStylableForm* AForm);
    void ReadjustSizeRelevantComponents(sibling::TImageDimensions Dim);
    void EnableOrDisableButtons(std::span<framework::TWinControl* const> Controls, TEnableDisable How);
    // The centre of GetChildForm, or of this window when there is none.
    framework::TPoint GetCentreofMainForm();

    void Notification(framework::TComponent* AComponent, framework::TOperation Operation) override;
    void WMDpiChanged(framework::TMessage& Message);
    void WMBroadcastByShell(framework::TMessage& Message);

    // The components whose sizes follow the resolution; the list is the form's, the
    // components are not. A component that goes leaves it.
    std::unique_ptr<framework::TList, framework::TFreeDeleter> ComponentsToResize;
    vendor::TAdvFormStyler* FormStylerPAI = nullptr;  // owned by the form it was made for
    std::vector<framework::TWinControl*> buttons;     // for descendants; not owned

private:
    framework::TRect Win_recommended_size;
    bool done_create_things = false;
    bool needs_size_adjust = false;
    std::string m_unreadableIni;  // the state file the last show could not read; not saved over
};

}  // namespace lm7
