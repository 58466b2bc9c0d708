#pragma once
// The Linux choosers behind IFileChooser: the XDG desktop portal where one answers on the
// session bus, otherwise zenity, otherwise kdialog. The pieces that turn a request into a
// command line and an answer back into paths are open here so that they can be checked
// without a display.

#include "framework/platform/FileChooser.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace framework::platform {

// A mask as a Linux chooser should get it, matching regardless of letter case as masks do on
// the system the programs come from: "*.txt" gives "*.[tT][xX][tT]". "*.*" matches every file
// there, dotted or not, so it becomes "*". Bracket groups already in the mask stay as they are.
std::string CaseInsensitiveMask(std::string_view Mask);
// The filters in the order a chooser that always starts on its first filter should get them:
// the current one first, the others in their order; masks made case-insensitive.
std::vector<FileFilter> ChooserFilters(const FileChooserRequest& Request);
// Where the chooser starts: an absolute FileName, or one equal to StartFolder, as it is (a
// folder's with a trailing '/', so the chooser opens it), otherwise FileName inside StartFolder.
std::string ChooserStartPath(const FileChooserRequest& Request);

// zenity's arguments (after the program name) and the meaning of its answer. Neither zenity nor
// kdialog takes a label for the OK button of a file chooser; only the portal shows OkLabel.
std::vector<std::string> ZenityArguments(const FileChooserRequest& Request);
FileChoice ParseZenityAnswer(int ExitStatus, std::string_view Output, bool MultiSelect);
// The same for kdialog.
std::vector<std::string> KdialogArguments(const FileChooserRequest& Request);
FileChoice ParseKdialogAnswer(int ExitStatus, std::string_view Output, bool MultiSelect);

// Undoes the %XX escapes of a file:// URI; nullopt for any other kind of URI.
std::optional<std::string> FileUriToPath(std::string_view Uri);

// Runs a program with the arguments and waits for it; its standard output and error are
// collected, its standard input is empty. Raises EFileChooserError when it cannot be started.
struct ProgramResult {
    int ExitStatus = -1;  // -1 when it did not exit normally
    std::string Output;
    std::string Errors;  // what it wrote to stderr
};
// Why a chooser program that ran could not show itself, in a sentence; empty when it showed
// (it was answered or cancelled). zenity and kdialog exit with 1 both when the user cancels
// and when they cannot reach the display; only what they wrote to stderr tells the two apart.
std::string ChooserProgramFailure(const std::string& Program, const ProgramResult& Run);
ProgramResult RunProgram(const std::string& Path, const std::vector<std::string>& Arguments);
// The first executable file of that name in the ':'-separated folders of SearchPath.
std::optional<std::string> FindProgram(std::string_view Name, std::string_view SearchPath);

// Asks the portal's FileChooser on the bus at BusAddress (empty: the user's session bus).
// nullopt when no portal answers there, found out quickly: no bus, no portal, or no chooser
// in it. A portal that answers shows its dialog, and the user's answer comes back.
std::optional<FileChoice> ChooseThroughPortal(const FileChooserRequest& Request,
                                              const std::string& BusAddress);

// The chooser of a Linux desktop: the portal first, then zenity, then kdialog.
class DesktopFileChooser final : public IFileChooser {
public:
    struct Settings {
        std::string BusAddress;  // empty: the user's session bus
        std::string SearchPath;  // where zenity and kdialog are looked for, as in PATH
    };
    // Settings from the environment (PATH), each time a dialog is shown.
    DesktopFileChooser() = default;
    explicit DesktopFileChooser(Settings Fixed) : m_fixed(std::move(Fixed)) {}

    FileChoice Choose(const FileChooserRequest& Request) override;
    bool Confirm(const std::string& Title, const std::string& Question) override;
    void ShowMessage(const std::string& Title, const std::string& Text) override;

    // The text of the error raised when nothing can show a chooser.
    static std::string UnavailableMessage();

private:
    Settings CurrentSettings() const;
    std::optional<Settings> m_fixed;
};

}  // namespace framework::platform
