#include "dialogs/dialog_stuff.h"

#include "dialogs/FileFolderOpenDlgU.h"
#include "framework/rtl/Format.h"
#include "sibling/Forceviewsavefiledialog.h"
#include "sibling/Generalruntime1const.h"
#include "sibling/Generalruntimefilters.h"
#include "sibling/My_types_mini.h"
#include "vendor/ElEdits.h"

#include <array>
#include <utility>

using namespace framework;
using namespace sibling;

namespace lm7 {

namespace {

constexpr std::string_view kTextToolFilter = "Text files (*.txt)|*.txt|SRT files (*.??_srt)|*.??_srt|"
                                             "Unaligned files (*.VWR)|*.VWR|Aligned files (*.ALI)|*.ALI|"
                                             "All files (*.*)|*.*|";
constexpr std::string_view kBatchEntry = "Batch files (*.zip*)|*.ZIP*|";
constexpr std::string_view kClosingEntries = "Text files (*.txt)|*.txt|All files (*.*)|*.*|";
constexpr std::string_view kAllFilesEntry = "All files (*.*)|*.*|";

// The tool whose files are plain texts has a fixed filter; another reads one list kind more.
constexpr tool_type kTextTool = static_cast<tool_type>(5);
constexpr tool_type kReferenceReadingTool = static_cast<tool_type>(4);
constexpr TLumoraList kReferenceList = 23;
constexpr TLumoraList kLastListKind = 42;

const std::array<std::pair<std::string_view, const TFilterPair*>, 7> kFilterPairs{{
    {".txt", &TXT_FileTypes},
    {".*", &All_FileTypes},
    {".tsl", &Tessel_Filetypes},
    {".orv", &Orvane_Filetypes},
    {".zip", &Batch_Filetypes},
    {".rtf", &RTF_Filetypes},
    {".htm", &WebText_Filetypes},
}};

std::string described(std::string_view format, const std::string& name) { return Format(format, {name}); }

// One entry: the description with the pattern in parentheses, then the pattern.
std::string entry(const std::string& description, const std::string& pattern) {
    return description + "(" + pattern + ")|" + pattern + "|";
}

std::string limited(tool_type tool, const std::string& extension) {
    return entry(described(_LMMainFiles, Tool_Name(tool)), "*" + extension) + std::string(kAllFilesEntry);
}

// The 1-based number of the filter entry whose parenthesised group holds Ext; one more than
// the number of groups when none does.
int FilterIndexFor(std::string_view Ext, std::string_view Filter) {
    int index = 1;
    std::size_t from = 0;
    for (;;) {
        const std::size_t open = Filter.find('(', from);
        if (open == std::string_view::npos)
            return index;
        from = open + 1;
        const std::size_t close = Filter.find(')', from);
        if (close == std::string_view::npos)
            continue;
        if (Filter.substr(from, close - from + 1).find(Ext) != std::string_view::npos)
            return index;
        ++index;
        from = close + 1;
    }
}

void setInitialDir(TComponent* component, const std::string& dir) {
    if (auto* fileEdit = As<vendor::TElFileNameEdit>(component)) {
        fileEdit->SetInitialDir(dir);
    } else if (auto* folderEdit = As<vendor::TElFolderNameEdit>(component)) {
        folderEdit->SetText(dir);
    } else if (auto* picker = As<TMyOpenFolderDialog>(component)) {
        picker->SetFolderOrFile(dir);
    } else if (auto* container = As<TWinControl>(component)) {
        for (int i = 0; i < container->ControlCount(); ++i)
            setInitialDir(container->Controls(i), dir);
    }
}

}  // namespace

void AddFiltersToCustomFileDialog(TCustomFileDialog* Dialog, const std::vector<std::string>& Exts) {
    if (!Dialog)
        return;
    Dialog->FileTypes().Clear();
    for (std::size_t i = 0; i < Exts.size(); ++i) {
        const std::string& ext = Exts[i];
        if (i == 0)
            Dialog->SetDefaultExtension(ext);
        for (const auto& [key, pair] : kFilterPairs) {
            if (key == ext) {
                TFileTypeItem& type = Dialog->FileTypes().Add();
                type.DisplayName = pair->Name;
                type.FileMask = pair->Mask;
                break;
            }
        }
    }
}

void SetInitialDirs(TCustomForm* Form, const std::string& Dir) {
    if (!Form)
        return;
    for (int i = 0; i < Form->ComponentCount(); ++i)
        setInitialDir(Form->Components(i), Dir);
}

std::string LimitedDefaultFilter(tool_type Tool) { return limited(Tool, DefaultExtFromToolType(Tool)); }

std::string LimitedDefaultFilter(tool_type Tool, TLumoraList List) {
    return limited(Tool, DefaultExtFromListType(List));
}

std::string SuitableFilterForTool(tool_type Tool) {
    if (Tool == kTextTool)
        return std::string(kTextToolFilter);
    std::string pattern = "*" + DefaultExtFromToolType(Tool);
    std::string listEntries;
    for (TLumoraList list = 0; list <= kLastListKind; ++list) {
        const std::string ext = DefaultExtFromListType(list);
        if (!SaveableListTypes[static_cast<std::size_t>(list)] || ToolTypeFromListType(list) != Tool ||
            ext.empty() || pattern.find(ext) != std::string::npos)
            continue;
        pattern += ";*" + ext;
        listEntries +=
            entry(described(_LMXFiles, std::string(list_type_as_string[static_cast<std::size_t>(list)])),
                  "*" + ext);
    }
    if (Tool == kReferenceReadingTool)
        pattern += ";*" + DefaultExtFromListType(kReferenceList);
    return entry(described(_LMXFiles, Tool_Name(Tool)), pattern) + listEntries + std::string(kBatchEntry) +
           std::string(kClosingEntries);
}

std::string SuitableBatchTopFilterForTool(tool_type Tool) {
    if (Tool == kTextTool)
        return std::string(kTextToolFilter);
    std::string pattern = "*" + DefaultExtFromToolType(Tool);
    for (TLumoraList list = 0; list <= kLastListKind; ++list) {
        const std::string ext = DefaultExtFromListType(list);
        if (ToolTypeFromListType(list) == Tool && !ext.empty() && pattern.find(ext) == std::string::npos)
            pattern += ";*" + ext;
    }
    return std::string(kBatchEntry) + entry(described(_LMXFiles, Tool_Name(Tool)), pattern) +
           std::string(kClosingEntries);
}

void FormatFilterFor(TOpenDialog* Dialog, const std::string& InitialDir, const std::string& DefaultExt,
                     TDisplayFolderOption Option) {
    if (!Dialog)
        return;
    Dialog->SetFilter(SuitableFilterForTool(current_tool_var));
    if (!InitialDir.empty())
        Dialog->SetInitialDir(InitialDir);
    Dialog->SetDefaultExt(WithoutDotDefaultExt(DefaultExt));
    Dialog->SetFilterIndex(FilterIndexFor(DefaultExt, Dialog->Filter()));
    if (auto* openDialog = As<TForceViewOpenFileDialog>(Dialog))
        openDialog->SetDisplayFolderOption(Option);
    else if (auto* saveDialog = As<TForceViewSaveFileDialog>(Dialog))
        saveDialog->SetDisplayFolderOption(Option);
}

}  // namespace lm7
