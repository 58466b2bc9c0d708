// The folder picker on a real display: a mouse press on its button opens zenity, a user
// (xdotool) types a folder and confirms, and the folder lands in the edit. Runs under
// xvfb-run; skips when there is no display, zenity or xdotool.

#include "dialogs/FileFolderOpenDlgU.h"
#include "framework/platform/LinuxFileChoosers.h"
#include "support/FormFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include <unistd.h>

using namespace framework;
using namespace lm7;

namespace {

// Waits for the chooser's window, types the path into its location field and confirms; a
// chooser still open after that is cancelled, and one that never showed its window is ended
// (the test process's own zenity child, $2 being the test's process id), so a failure never
// leaves the test hanging.
constexpr const char* kTypist = R"(
wid=$(timeout 90 xdotool search --sync --name '^Select a folder$' | head -n 1)
if [ -z "$wid" ]; then pkill -P "$2" -x zenity; exit 1; fi
xdotool windowfocus --sync "$wid"
sleep 0.5
xdotool key ctrl+l
sleep 0.3
xdotool type --delay 30 "$1"
sleep 0.3
xdotool key Return
for i in $(seq 50); do
  xdotool search --name '^Select a folder$' >/dev/null || exit 0
  sleep 0.1
done
xdotool key Escape
exit 2
)";

}  // namespace

TEST(PickerOnDesktop, AFolderTypedIntoZenityReachesTheEditAfterARealButtonPress) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        GTEST_SKIP() << "no display; run under xvfb-run";
    const char* searchPath = std::getenv("PATH");
    const std::string path = searchPath ? searchPath : "";
    if (!platform::FindProgram("zenity", path) || !platform::FindProgram("xdotool", path))
        GTEST_SKIP() << "zenity or xdotool is not installed";

    // No session bus here: the portal is found missing at once and zenity shows the chooser.
    testsupport::TempFolder runtime, temp;
    ::setenv("XDG_RUNTIME_DIR", runtime.Root().c_str(), 1);
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    ::setenv("NO_AT_BRIDGE", "1", 1);
    const std::string target = temp.MakeFolder("Chosen folder ü");

    testsupport::FormPtr form = testsupport::MakeForm(260, 60);
    auto* picker = Create<TMyOpenFolderDialog>(form.get());
    picker->SetBounds(10, 10, 220, 24);
    picker->SetParent(form.get());
    picker->SetText(temp.Root());
    std::vector<std::string> events;
    picker->OnButtonPressing = TNotifyEvent::Lambda([&](TObject*) { events.push_back("pressing"); });
    picker->OnFolderChosen =
        TNotifyEvent::Lambda([&](TObject*) { events.push_back("chosen:" + picker->FolderOrFile()); });

    int typistStatus = -1;
    std::thread typist([&] {
        typistStatus = platform::RunProgram(
                           "/bin/sh", {"-c", kTypist, "typist", target + "/", std::to_string(::getpid())})
                           .ExitStatus;
    });
    const TRect button = picker->ButtonRect();
    const int inset = picker->ClientInset();
    testsupport::ClickAt(*form, 10 + inset + button.Left + button.Width() / 2,
                         10 + inset + button.Height() / 2);
    typist.join();

    EXPECT_EQ(typistStatus, 0);
    EXPECT_EQ(picker->FolderOrFile(), target);
    EXPECT_EQ(events, (std::vector<std::string>{"pressing", "chosen:" + target}));
}
