#pragma once
// The suite's own open and save dialogs: the framework's, with a setting for how the folder's
// files are shown that every tool keeps with its forms.

#include "framework/dialogs/Dialogs.h"
#include "sibling/My_filedialogcomponenttypes.h"

namespace sibling {

class TForceViewOpenFileDialog : public framework::TOpenDialog {
public:
    using framework::TOpenDialog::TOpenDialog;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    // FIXME: no Linux chooser takes a view setting; it is kept for the forms that store it.
    TDisplayFolderOption DisplayFolderOption() const { return m_option; }
    void SetDisplayFolderOption(TDisplayFolderOption Value) { m_option = Value; }

private:
    TDisplayFolderOption m_option = dfo_default;
};

class TForceViewSaveFileDialog : public framework::TSaveDialog {
public:
    using framework::TSaveDialog::TSaveDialog;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    TDisplayFolderOption DisplayFolderOption() const { return m_option; }
    void SetDisplayFolderOption(TDisplayFolderOption Value) { m_option = Value; }

private:
    TDisplayFolderOption m_option = dfo_default;
};

}  // namespace sibling
