#include "forms/TMSStyleableF.h"

#include "controls/ColourListBoxesAndCombos.h"
#include "controls/StyledListbox.h"
#include "forms/components_and_ControlsU_base.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/Grids.h"
#include "framework/forms/Application.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Rounding.h"
#include "imaging/tool_imagelist_master.h"
#include "settings/ReadAndSaveIni.h"
#include "sibling/Logging_utilities.h"
#include "sibling/My_tmsstylebase.h"
#include "sibling/Tms_utils.h"
#include "vendor/AdvControls.h"
#include "vendor/AdvGlowButton.h"
#include "vendor/AdvListView.h"
#include "vendor/AdvMenuStyler.h"
#include "vendor/AdvOfficeTabSet.h"
#include "vendor/AdvProgressBar.h"
#include "vendor/AdvSmoothButton.h"
#include "vendor/Monitor_functions.h"
#include "vendor/VendorCombos.h"

#include <exception>

namespace lm7 {

using namespace framework;
using sibling::Global_TMSStyle;
using sibling::GlobalImageHeight;
using sibling::GlobalMonitorFontScale;

namespace {
void logLine(const std::string& Line) {
    if (sibling::global_keeping_log)
        sibling::AddToLogFile(Line, true);
}
}  // namespace

const TClassInfo& TTMSStylableForm::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TTMSStylableForm, TForm>("TTMSStylableForm")
            .Method<&TTMSStylableForm::FormActivate>("FormActivate")
            .Method<&TTMSStylableForm::FormShow>("FormShow")
            .Method<&TTMSStylableForm::FormClose>("FormClose")
            .Method<&TTMSStylableForm::FormDestroy>("FormDestroy")
            .Message<TTMSStylableForm>(WM_DPICHANGED, &TTMSStylableForm::WMDpiChanged)
            .Message<TTMSStylableForm>(WM_BROADCASTBYSHELL, &TTMSStylableForm::WMBroadcastByShell);
    return info;
}

TTMSStylableForm::TTMSStylableForm(TComponent* AOwner) : TForm(AOwner) {}

void TTMSStylableForm::AfterConstruction() {
    DoCreateThings();
    TForm::AfterConstruction();
}

void TTMSStylableForm::DoCreateThings() {
    done_create_things = true;
    FormStylerPAI = nullptr;
    ComponentsToResize.reset(new TList());
    SetScaled(false);  // the window scales through its own correction only
    SetParentFont(true);
    needs_size_adjust = false;
    Font()->Assign(Application->DefaultFont());
    OnActivate = TNotifyEvent::Of<&TTMSStylableForm::FormActivate>(this);
}

void TTMSStylableForm::FormCreate(TObject*) {
    if (!done_create_things)
        DoCreateThings();
}

void TTMSStylableForm::AddAFormStyler(TTMSStylableForm* AForm) {
    if (!FormStylerPAI) {
        FormStylerPAI = Create<vendor::TAdvFormStyler>(AForm);
        // The styler may belong to another form, which may go first.
        FormStylerPAI->FreeNotification(this);
    }
    sibling::ApplyTMSStyleToSystemColours(Global_TMSStyle);
    FormStylerPAI->SetStyle(Global_TMSStyle);
    FormStylerPAI->OnChange = TNotifyEvent::Of<&TTMSStylableForm::MudancaDeEstilo>(this);
    const TClassList classes{&vendor::TCustomAdvOfficeCheckBox::ClassInfo(),
                             &TCustomListBox::ClassInfo(),
                             &vendor::TAdvOfficePager::ClassInfo(),
                             &vendor::TAdvOfficeTabSet::ClassInfo(),
                             &vendor::TAdvCustomComboBox::ClassInfo(),
                             &TColourSharingCombo::ClassInfo(),
                             &TColourSharingListbox::ClassInfo(),
                             &vendor::TCustomAdvMenuStyler::ClassInfo(),
                             &TCustomDrawGrid::ClassInfo(),
                             &TStyledListbox::ClassInfo(),
                             &vendor::TAdvProgressBar::ClassInfo(),
                             &vendor::TAdvListView::ClassInfo()};
    LoadAllRelevantComponentsOfForm(AForm, classes, ComponentsToResize.get());
    // Components of another owner tell this form when they go, as its own ones do.
    for (int i = 0; i < ComponentsToResize->Count(); ++i) {
        auto* c = static_cast<TComponent*>(ComponentsToResize->Items(i));
        if (c->Owner() != this)
            c->FreeNotification(this);
    }
}

void TTMSStylableForm::FormShow(TObject*) {
    // A state file that cannot be read (no permission, damaged, too large) does not stop the
    // window: it shows with its designed state and the user learns which file failed and why.
    // The file is left as it is, also when the window closes, so what it holds is not lost.
    const std::string ini = TheIniName();
    try {
        ReadIni(this, ini);
        m_unreadableIni.clear();
    } catch (const Exception& e) {
        m_unreadableIni = ini;
        Application->HandleException(this,
                                     Exception(std::string(e.what()) + ". " + Name() +
                                               " starts with its defaults and leaves that file as it is."));
    }
    logLine(Format("FormShow %s", {Name()}));
    sibling::ApplyTMSStyleToSystemColours(Global_TMSStyle);
    if (FormStylerPAI)
        FormStylerPAI->SetStyle(Global_TMSStyle);
    CorrigeFormScreenRes();
}

void TTMSStylableForm::FormActivate(TObject*) {
    sibling::ApplyTMSStyleToSystemColours(Global_TMSStyle);
    if (FormStylerPAI)
        FormStylerPAI->SetStyle(Global_TMSStyle);
    SetColor(sibling::GetABaseTMSBackgroundColour(Global_TMSStyle));
}

void TTMSStylableForm::FormClose(TObject*, TCloseAction&) {}
void TTMSStylableForm::FormDestroy(TObject*) {}
void TTMSStylableForm::AppActivate(TObject*) {}

void TTMSStylableForm::MudancaDeEstilo(TObject*) {
    Application->ProcessMessages();
    // The system colours follow the style as a desktop theme's do, so that what is painted in
    // them (captions, list paper, bevels) stays legible.
    sibling::ApplyTMSStyleToSystemColours(Global_TMSStyle);
    SetColor(sibling::GetABaseTMSBackgroundColour(Global_TMSStyle));
    // The styler reports only a change, so this call ends the exchange.
    if (FormStylerPAI)
        FormStylerPAI->SetStyle(Global_TMSStyle);
    Invalidate();
}

void TTMSStylableForm::CorrigeFormScreenRes() {
    SetParentFont(true);
    GlobalMonitorFontScale = vendor::CurrentDPIScale(PixelsPerInch());
    GlobalImageHeight = IntegerToNearestImageHeight(static_cast<int>(RoundHalfEven(PixelsPerInch() / 5.0)));
    if (GlobalMonitorFontScale != 1.0f || PixelsPerInch() != 96)
        needs_size_adjust = true;
    if (needs_size_adjust)
        ReadjustSizeRelevantComponents(sibling::IntegerToImageDimension(GlobalImageHeight));
}

void TTMSStylableForm::ReadjustSizeRelevantComponents(sibling::TImageDimensions Dim) {
    logLine(Format("%s componentstoresize start", {Name()}));
    const int rowHeight = static_cast<int>(RoundHalfEven(GlobalImageHeight * 0.8));
    const float scale = GlobalMonitorFontScale;
    for (int i = 0; i < ComponentsToResize->Count(); ++i) {
        auto* c = static_cast<TComponent*>(ComponentsToResize->Items(i));
        logLine(Format("\t%d: %s", {i + 1, c->Name()}));
        // Before the package has started there is no master list to hand out.
        if (ImageLists[Dim] && ObjHasPropertyAndNotValue(c, "Images", 0) &&
            !c->Is<vendor::TAdvSmoothButton>())
            TrySetPropValue(c, "Images", ImageLists[Dim]);

        if (auto* colours = As<TColourSharingListbox>(c)) {
            colours->CorrectForScreenResolucao(scale);
        } else if (auto* styled = As<TStyledListbox>(c)) {
            styled->CorrectForScreenResolucao(scale);
        } else if (auto* view = As<vendor::TAdvListView>(c)) {
            view->SetItemHeight(rowHeight);
        } else if (auto* list = As<TCustomListBox>(c)) {
            if (list->Is<TCheckListBox>() || list->Is<TListBox>()) {
                list->SetItemHeight(rowHeight);
                list->SetParentFont(true);
            }
        } else if (auto* check = As<vendor::TCustomAdvOfficeCheckBox>(c)) {
            check->CorrectForScreenResImageHeight(GlobalImageHeight);
        } else if (auto* tabs = As<vendor::TAdvOfficeTabSet>(c)) {
            tabs->CorrectForScreenResolucao(scale);
        } else if (auto* pager = As<vendor::TAdvOfficePager>(c)) {
            pager->CorrectForScreenResolucao(scale);
        } else if (auto* combo = As<vendor::TAdvCustomComboBox>(c)) {
            combo->CorrectForScreenResolucao(scale);
        } else if (auto* menus = As<vendor::TCustomAdvMenuStyler>(c)) {
            menus->CorrectForScreenResolucao(scale);
        } else if (auto* bar = As<vendor::TAdvProgressBar>(c)) {
            bar->CorrectForScreenResolucao(scale);
        } else if (auto* glow = As<vendor::TAdvGlowButton>(c)) {
            if (glow->ImageIndex() >= 0)
                glow->SetImages(ImageListMain());
        } else if (auto* colourCombo = As<TColourSharingCombo>(c)) {
            colourCombo->SetItemHeight(rowHeight);
        } else if (auto* grid = As<TDrawGrid>(c)) {
            grid->SetDefaultRowHeight(rowHeight);
        }
    }
}

void TTMSStylableForm::WMDpiChanged(TMessage& Message) {
    DispatchFrom(&TForm::ClassInfo(), Message);
    // Recorded only: the window keeps the place and size it has.
    if (const auto* suggested = static_cast<const TRect*>(PointerFromLParam(Message.LParam)))
        Win_recommended_size = *suggested;
    const int newDpi = static_cast<int>(Message.WParam & 0xFFFF);
    ChangeScale(newDpi, PixelsPerInch());
    SetPixelsPerInch(newDpi);
    CorrigeFormScreenRes();
    Message.Result = 0;
}

void TTMSStylableForm::WMBroadcastByShell(TMessage& Message) {
    const TCallingProgramMessageRec rec = MessageFromCallingProgram(Message);
    if (rec.Command != kStyleChangeCommand)
        return;
    // A style this suite does not know is left alone rather than stored as a broken value.
    const int style = rec.Value & 0xFF;
    if (style >= vendor::kTMSStyleCount)
        return;
    Global_TMSStyle = static_cast<vendor::TTMSStyle>(style);
    MudancaDeEstilo(nullptr);
}

std::string TTMSStylableForm::TheIniName() { return std::string(); }

TCustomForm* TTMSStylableForm::GetChildForm() { return nullptr; }

TPoint TTMSStylableForm::GetCentreofMainForm() {
    TCustomForm* form = GetChildForm();
    if (!form)
        form = this;
    return Point(form->Left() + form->Width() / 2, form->Top() + form->Height() / 2);
}

void TTMSStylableForm::EnableOrDisableButtons(std::span<TWinControl* const> Controls, TEnableDisable How) {
    for (TWinControl* control : Controls)
        control->SetEnabled(How == ed_enable);
}

void TTMSStylableForm::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    if (AComponent == FormStylerPAI)
        FormStylerPAI = nullptr;
    if (ComponentsToResize)
        ComponentsToResize->Remove(AComponent);
}

void TTMSStylableForm::BeforeDestruction() {
    // A window that goes cannot hand an error to its caller: a settings folder that cannot be
    // written must not stop the program closing. The user is told, and the log keeps it. The
    // old file stays whole, as every save is atomic.
    try {
        if (const std::string ini = TheIniName(); ini != m_unreadableIni)
            SaveIni(this, ini);
    } catch (const std::exception& e) {
        logLine(Format("SaveIni %s: %s", {Name(), std::string(e.what())}));
        Application->HandleException(this, e);
    }
    ComponentsToResize.reset();
    if (FormStylerPAI) {
        FormStylerPAI->RemoveFreeNotification(this);
        vendor::TAdvFormStyler* styler = FormStylerPAI;
        FormStylerPAI = nullptr;
        styler->Free();
    }
    TForm::BeforeDestruction();
}

}  // namespace lm7
