#pragma once
// File-dialog filters built per tool and per kind of saved list, the preparation of a tool's
// open and save dialogs with them, and one start folder for every picker of a form. A nil
// dialog or form changes nothing, as a nil form does for the settings routines.

#include "framework/dialogs/Dialogs.h"
#include "framework/forms/Forms.h"
#include "sibling/My_filedialogcomponenttypes.h"
#include "sibling/My_types.h"
#include "sibling/Wdef.h"

#include <string>
#include <vector>

namespace lm7 {

// Replaces the dialog's file types with the pairs of the known extensions, in order; the first
// extension, known or not, becomes the default extension.
void AddFiltersToCustomFileDialog(framework::TCustomFileDialog* Dialog, const std::vector<std::string>& Exts);

// Sets the folder of every file and folder picker of the form, also inside panels and frames.
void SetInitialDirs(framework::TCustomForm* Form, const std::string& Dir);

// The tool's own files, then all files.
std::string LimitedDefaultFilter(sibling::tool_type Tool);
// The same with the list kind's extension in the pattern; the description names the tool.
std::string LimitedDefaultFilter(sibling::tool_type Tool, sibling::TLumoraList List);
// The tool's files and saveable lists together, each such list kind on its own, then batch,
// text and all files.
std::string SuitableFilterForTool(sibling::tool_type Tool);
// Batch files first and preselected, then the tool's files, text and all files.
std::string SuitableBatchTopFilterForTool(sibling::tool_type Tool);

// Prepares a tool's dialog: the running tool's filter, the start folder (an empty one leaves
// the dialog's), the default extension and the filter entry that names it; the suite's own
// dialogs also take the folder display setting.
void FormatFilterFor(framework::TOpenDialog* Dialog, const std::string& InitialDir,
                     const std::string& DefaultExt, sibling::TDisplayFolderOption Option);

}  // namespace lm7
