// The word-list tool: the words of a text file by frequency, in a tool window of the suite.
//
//   wordlist-tool [--file TEXT] [--highlight COLOUR] [--save-to FOLDER] [--png OUT.png]
//
// It opens the window on the desktop; with --png it pictures the window into OUT.png instead,
// with no display needed. The options act as a user would in the window: choose the text, pick
// the highlight colour (a name such as Gold, or $00BBGGRR), save the list into FOLDER.
// The window's state is kept in wordlist-tool.ini in the suite's settings folder.

#include "WordListWindow.h"

#include "framework/forms/Application.h"
#include "framework/graphics/Colors.h"
#include "framework/rtl/StrUtils.h"
#include "host/WindowHost.h"
#include "package/LM7StyledListboxPack.h"
#include "sibling/Colour_utils.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

using namespace framework;

namespace {

// A colour by the name the colour combo shows (Gold, Floral White), else as the framework reads
// colours (clRed, $00BBGGRR, a number).
TColor ColourNamed(const std::string& Name) {
    for (const TIdentMapEntry& entry : sibling::MyColourArray)
        if (SameText(entry.Name, Name))
            return entry.Value;
    return StringToColor(Name);
}

struct Options {
    std::string File, Highlight, SaveTo, Png;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view arg = argv[i];
        std::string* value = arg == "--file"        ? &options.File
                             : arg == "--highlight" ? &options.Highlight
                             : arg == "--save-to"   ? &options.SaveTo
                             : arg == "--png"       ? &options.Png
                                                    : nullptr;
        if (!value)
            return false;
        *value = argv[i + 1];
    }
    return argc % 2 == 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(
            stderr,
            "usage: wordlist-tool [--file TEXT] [--highlight COLOUR] [--save-to FOLDER] [--png OUT.png]\n");
        return 2;
    }
    const bool window = options.Png.empty();
    if (window && !host::DisplayAvailable()) {
        std::fprintf(stderr, "wordlist-tool: no display; --png OUT.png pictures the window instead\n");
        return 2;
    }
    const lm7::TPackageScope package;  // the package outlives the window
    try {
        std::unique_ptr<wordlist::TWordListWindow, TFreeDeleter> form(
            Create<wordlist::TWordListWindow>(nullptr));
        form->Show();  // the window takes its saved state before the options act on it
        if (!options.File.empty())
            form->LoadWords(options.File);
        if (!options.Highlight.empty())
            form->ChooseHighlight(ColourNamed(options.Highlight));
        if (!options.SaveTo.empty())
            std::printf("%s\n", form->SaveWordList(options.SaveTo).c_str());
        if (window) {
            host::TWindowHost desktop;
            desktop.Run(form.release());  // frees the window when it closes, so it saves its state
        } else {
            Application->ProcessMessages();
            form->Snapshot()->SaveToFile(options.Png);
            std::printf("%s\n", options.Png.c_str());
            form.reset();  // the window saves its state as it goes
        }
        // A state that could not be saved or read was told on the way; the status says so too.
        return Application->HandledExceptionCount() > 0 ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wordlist-tool: %s\n", e.what());
        return 1;
    }
}
