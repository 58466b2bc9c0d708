// The gallery: one tool window with a section for each feature of the package. On a desktop it
// opens as a window whose controls can be used; without a display (or with --png) it is
// pictured into a PNG, so that a person can look at what the controls draw, in any colour style
// and at any screen resolution.
//
//   gallery [--style N] [--ppi P] [--log FILE] [--window | --png OUT.png]
//
// --log appends what the window's status line reports (selections, margins, style, resolution,
// where its state was kept) to FILE, a line each.

#include "GalleryWindow.h"

#include "framework/forms/Application.h"
#include "framework/rtl/IntConv.h"
#include "host/WindowHost.h"
#include "package/LM7StyledListboxPack.h"
#include "sibling/My_tmsstylebase.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

using namespace framework;

namespace {

struct Options {
    std::string Out = "gallery.png";
    std::string Log;
    int Style = vendor::tsLight;
    int PixelsPerInch = 0;  // 0: the display's, or 96 for a picture
    bool Window = false;    // a window, even if it cannot be opened (then an error)
    bool Png = false;       // a picture, even where a window could open
};

bool usage() {
    std::fprintf(stderr,
                 "usage: gallery [--style 0-%d] [--ppi 48-480] [--log FILE] [--window | --png OUT.png]\n",
                 vendor::kTMSStyleCount - 1);
    return false;
}

// False, with a message, for an option it does not know or a value out of range.
bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--style" && hasValue && TryStrToInt(argv[i + 1], options.Style) && options.Style >= 0 &&
            options.Style < vendor::kTMSStyleCount) {
            ++i;
        } else if (arg == "--ppi" && hasValue && TryStrToInt(argv[i + 1], options.PixelsPerInch) &&
                   options.PixelsPerInch >= 48 && options.PixelsPerInch <= 480) {
            ++i;
        } else if (arg == "--log" && hasValue) {
            options.Log = argv[++i];
        } else if (arg == "--window") {
            options.Window = true;
        } else if (arg == "--png" && hasValue) {
            options.Png = true;
            options.Out = argv[++i];
        } else if (!arg.empty() && arg[0] != '-') {
            options.Png = true;  // the picture's name alone, as older scripts give it
            options.Out = arg;
        } else {
            return usage();
        }
    }
    return options.Window && options.Png ? usage() : true;
}

// 0 when everything worked; 1 when an error was told on the way (a state that could not be
// kept or read, a log that could not be written), so that scripts notice.
int ExitStatus() { return Application->HandledExceptionCount() > 0 ? 1 : 0; }

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options))
        return 2;
    if (!options.Window && !options.Png) {
        std::string why;
        options.Window = host::DisplayAvailable(&why);
        if (!options.Window)
            std::printf("No desktop window here (%s); the gallery is pictured into %s.\n", why.c_str(),
                        options.Out.c_str());
    }
    // The package starts before any section is built and stops once the window and its
    // controls are gone, on every way out.
    const lm7::TPackageScope package;
    try {
        sibling::Global_TMSStyle = static_cast<vendor::TTMSStyle>(options.Style);
        std::unique_ptr<gallery::TGalleryWindow, TFreeDeleter> window(
            Create<gallery::TGalleryWindow>(nullptr));
        if (!options.Log.empty())
            window->SetLogFile(options.Log);
        // In a desktop window the controls can be used: the pickers open the desktop's chooser,
        // and the window follows the resolution of the monitor it stands on, unless --ppi
        // names one.
        if (options.Window) {
            host::TWindowHost desktop(host::THostOptions{options.PixelsPerInch, true, false});
            desktop.Run(window.release());
            return ExitStatus();
        }
        window->Show();
        // Another resolution is a move to a monitor of that resolution: the window rescales
        // and corrects its controls as it would on the desktop.
        if (options.PixelsPerInch > 0 && options.PixelsPerInch != window->PixelsPerInch()) {
            Screen->SetPixelsPerInch(options.PixelsPerInch);  // as the desktop host does on such a screen
            const auto dpi = static_cast<std::uint16_t>(options.PixelsPerInch);
            window->Perform(WM_DPICHANGED, MakeWParam(dpi, dpi), 0);
        }
        Application->ProcessMessages();
        window->Snapshot()->SaveToFile(options.Out);
        std::printf("%s\n", options.Out.c_str());
        window.reset();  // the window keeps its state as it goes
        return ExitStatus();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
}
