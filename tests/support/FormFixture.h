#pragma once
// A form for a test: owned by a smart pointer that frees it (and everything on it) at the end
// of the test, shown so that its windows exist, and pictured on demand.

#include "framework/forms/Application.h"
#include "framework/forms/Forms.h"

#include <memory>

namespace testsupport {

using FormPtr = std::unique_ptr<framework::TForm, framework::TFreeDeleter>;

// A shown form of that client size, in a plain white colour so painted pixels stand out.
FormPtr MakeForm(int clientWidth = 200, int clientHeight = 150);

// Delivers posted messages and paints, then pictures the form.
std::unique_ptr<framework::TBitmap, framework::TFreeDeleter> Picture(framework::TCustomForm& form);

// A left click at a point of the form (button down, then up).
void ClickAt(framework::TCustomForm& form, int x, int y, framework::TShiftState shift = 0);

}  // namespace testsupport
