#include "support/FormFixture.h"

namespace testsupport {

using namespace framework;

FormPtr MakeForm(int clientWidth, int clientHeight) {
    FormPtr form(Create<TForm>(nullptr));
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
    form->SetColor(clWhite);
    form->Show();
    return form;
}

std::unique_ptr<TBitmap, TFreeDeleter> Picture(TCustomForm& form) {
    Application->ProcessMessages();
    return form.Snapshot();
}

void ClickAt(TCustomForm& form, int x, int y, TShiftState shift) {
    form.SendMouseInput(WM_LBUTTONDOWN, x, y, shift);
    form.SendMouseInput(WM_LBUTTONUP, x, y, shift);
}

}  // namespace testsupport
