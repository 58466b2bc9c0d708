#pragma once
// The desktop's own file and folder chooser, as the framework's file dialogs see it: a request
// says what to pick and how to present it, the answer says what the user chose. The same
// seam shows the short questions and notices that go with choosing (create a missing
// folder?, no chooser could be shown).

#include "framework/rtl/Exceptions.h"

#include <functional>
#include <string>
#include <vector>

namespace framework::platform {

// One entry of a chooser's filter list: the text a user reads and the masks it selects
// ("*.txt", "*.htm"), exactly as the program built them.
struct FileFilter {
    std::string Name;
    std::vector<std::string> Masks;
    bool operator==(const FileFilter&) const = default;
};

struct FileChooserRequest {
    std::string Title;
    std::string OkLabel;  // empty: the chooser's own label
    bool PickFolders = false;
    bool Save = false;
    bool MultiSelect = false;
    bool ConfirmOverwrite = false;  // saving over an existing file asks first
    std::vector<FileFilter> Filters;
    int CurrentFilter = 0;    // index into Filters of the entry shown first
    std::string StartFolder;  // empty: the chooser decides
    std::string FileName;     // a suggested name; an absolute path stands on its own
    bool operator==(const FileChooserRequest&) const = default;
};

struct FileChoice {
    bool Accepted = false;           // false: the user cancelled
    std::vector<std::string> Paths;  // absolute paths, at least one when accepted
    bool operator==(const FileChoice&) const = default;
};

// No chooser could be shown; the message names what was looked for.
class EFileChooserError : public Exception {
    using Exception::Exception;
};

// A chooser open on the desktop leaves the program alive: its wait for the chooser's answer runs
// the pump set here between short polls, so that a window host can go on painting and refuse
// input meanwhile. Empty: the wait just waits.
using ChooserPump = std::function<void()>;
void SetChooserPump(ChooserPump Pump);
// Whether a chooser's wait is under way.
bool ChooserOpen();

// Marks a chooser's wait while it lives; Poll runs the pump.
class ChooserWait {
public:
    ChooserWait();
    ~ChooserWait();
    ChooserWait(const ChooserWait&) = delete;
    ChooserWait& operator=(const ChooserWait&) = delete;
    // How long, in milliseconds, one poll for the chooser may block: short while a pump is set,
    // else without end (-1).
    static int PollTimeout();
    void Poll();
};

class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // Shows the chooser and waits for the user. Raises EFileChooserError when none can be shown.
    virtual FileChoice Choose(const FileChooserRequest& Request) = 0;
    // A yes-or-no question; true for yes.
    virtual bool Confirm(const std::string& Title, const std::string& Question) = 0;
    // A notice the user must read, such as an error.
    virtual void ShowMessage(const std::string& Title, const std::string& Text) = 0;
};

}  // namespace framework::platform
