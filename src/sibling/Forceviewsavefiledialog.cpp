#include "sibling/Forceviewsavefiledialog.h"

using namespace framework;

namespace sibling {

namespace {
std::vector<std::string> optionNames() {
    return {"dfo_default", "dfo_details", "dfo_list", "dfo_thumbnails"};
}
}  // namespace

const TClassInfo& TForceViewOpenFileDialog::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TForceViewOpenFileDialog, TOpenDialog>("TForceViewOpenFileDialog")
            .Enum<TForceViewOpenFileDialog>("DisplayFolderOption", optionNames(),
                                            &TForceViewOpenFileDialog::DisplayFolderOption,
                                            &TForceViewOpenFileDialog::SetDisplayFolderOption, dfo_default);
    return info;
}

const TClassInfo& TForceViewSaveFileDialog::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TForceViewSaveFileDialog, TSaveDialog>("TForceViewSaveFileDialog")
            .Enum<TForceViewSaveFileDialog>("DisplayFolderOption", optionNames(),
                                            &TForceViewSaveFileDialog::DisplayFolderOption,
                                            &TForceViewSaveFileDialog::SetDisplayFolderOption, dfo_default);
    return info;
}

}  // namespace sibling
