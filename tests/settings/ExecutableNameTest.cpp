#include "framework/platform/LinuxPlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using framework::platform::StripDeletedSuffix;

namespace {

// A copy of the probe program started from Exe, talked to through pipes.
class RunningProbe {
public:
    explicit RunningProbe(const std::string& Exe) {
        int in[2], out[2];
        if (::pipe(in) != 0 || ::pipe(out) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(in[0], 0);
            ::dup2(out[1], 1);
            ::close(in[1]);
            ::close(out[0]);
            ::execl(Exe.c_str(), Exe.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        m_in = ::fdopen(in[1], "w");
        m_out = ::fdopen(out[0], "r");
    }
    ~RunningProbe() {
        if (m_in)
            std::fclose(m_in);
        if (m_out)
            std::fclose(m_out);
        if (m_pid > 0)
            ::waitpid(m_pid, nullptr, 0);
    }
    std::string Line() {
        char buffer[4096];
        if (!m_out || !std::fgets(buffer, sizeof buffer, m_out))
            return "<no answer>";
        std::string line(buffer);
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        return line;
    }
    void Ask() {
        std::fputs("names\n", m_in);
        std::fflush(m_in);
    }

private:
    pid_t m_pid = -1;
    FILE* m_in = nullptr;
    FILE* m_out = nullptr;
};

}  // namespace

// The kernel names a replaced or removed executable "<path> (deleted)"; the program keeps the
// name it was started as, so its ini file is found where the next start looks.
TEST(ExecutableName, ReplacedOrRemovedExecutableKeepsItsName) {
    testsupport::TempFolder tmp;
    const std::string tool = tmp.Path("tool");
    for (const bool replace : {true, false}) {
        fs::copy_file(LM7_EXE_NAME_PROBE, tool, fs::copy_options::overwrite_existing);
        RunningProbe probe(tool);
        ASSERT_EQ(probe.Line(), "ready");
        if (replace) {
            fs::copy_file(tool, tmp.Path("t"));  // cp tool t && mv t tool
            fs::rename(tmp.Path("t"), tool);
        } else {
            fs::remove(tool);
        }
        probe.Ask();
        EXPECT_EQ(probe.Line(), tool) << (replace ? "replaced" : "removed");
        EXPECT_EQ(probe.Line(), tool + ".ini") << (replace ? "replaced" : "removed");
    }
}

TEST(ExecutableName, DeletedSuffixIsDroppedOnlyWhenItIsTheKernelsMark) {
    const auto never = [](const std::string&) { return false; };
    EXPECT_EQ(StripDeletedSuffix("/opt/tool (deleted)", never), "/opt/tool");
    EXPECT_EQ(StripDeletedSuffix("/opt/tool", never), "/opt/tool");
    EXPECT_EQ(StripDeletedSuffix("/opt/tool (deleted) 2", never), "/opt/tool (deleted) 2");
    // A program whose own file is called so keeps the whole name.
    EXPECT_EQ(StripDeletedSuffix("/opt/tool (deleted)", [](const std::string&) { return true; }),
              "/opt/tool (deleted)");
}
