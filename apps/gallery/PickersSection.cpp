// File choosing: a folder picker and a file picker whose buttons open the desktop's own
// chooser, and the open-dialog filter one tool builds, entry by entry.

#include "GallerySection.h"

#include "dialogs/FileFolderOpenDlgU.h"
#include "dialogs/dialog_stuff.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Label.h"

using namespace framework;

namespace {

template <class T> T* Place(TWinControl& area, int x, int y, int w, int h) {
    T* c = Create<T>(area.Owner());
    c->SetBounds(x, y, w, h);
    c->SetParent(&area);
    return c;
}

void Caption(TWinControl& area, int x, int y, const char* text) {
    auto* label = Place<TLabel>(area, x, y, 440, 16);
    label->SetCaption(text);
}

void Build(TWinControl& area) {
    // Pickers made in code and given no glyph show the package's folder glyph.
    Caption(area, 8, 8, "Folder picker");
    auto* folder = Place<lm7::TMyOpenFolderDialog>(area, 8, 26, 454, 22);
    folder->SetFolderOrFile("/home/ana/corpus/");
    folder->SetHint("Texts folder|The folder the tool reads its texts from");
    folder->SetShowHint(true);
    Caption(area, 8, 56, "File picker");
    auto* file = Place<lm7::TMyOpenFileDialog>(area, 8, 74, 454, 22);
    file->SetOnlyFolderAllowed(false);
    file->SetFolderOrFile("/home/ana/corpus/moby dick.txt");
    file->SetHint("Text file\nThe text the tool reads first|The text the tool reads first");
    file->SetShowHint(true);

    Caption(area, 8, 106, "Open-dialog filter of the frequency tool");
    auto* filter = Place<TMemo>(area, 8, 124, 454, gallery::kSectionHeight - 132);
    filter->SetReadOnly(true);
    for (const auto& entry : ParseFilter(lm7::SuitableFilterForTool(sibling::tt_frequencies))) {
        std::string masks;
        for (const std::string& mask : entry.Masks)
            masks += (masks.empty() ? "" : ";") + mask;
        filter->Lines()->Add(entry.Name + "  ->  " + masks);
    }
}

const bool registered = gallery::RegisterGallerySection({"AreaPickers", Build});

}  // namespace
