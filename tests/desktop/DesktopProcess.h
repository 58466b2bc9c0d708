#pragma once
// Programs the desktop tests start beside themselves (the gallery, a window manager, xclip), and
// waiting for what they do.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace testsupport {

// Polls Done every 50 ms until it holds or Patience runs out; answers whether it held.
bool WaitFor(const std::function<bool()>& Done,
             std::chrono::milliseconds Patience = std::chrono::seconds(20));

std::string ReadFile(const std::string& Path);

// This process's environment without HOME, with Overrides ("NAME=value") put in place of the
// variables they name.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& Overrides);

// A program started in the background with that environment, its output and errors into
// Output, its input from Input (else this process's); killed if still running when this goes.
class TChild {
public:
    TChild(const std::vector<std::string>& Arguments, const std::vector<std::string>& Environment,
           const std::string& Output, const std::string& Input = "");
    ~TChild() { Stop(); }
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;

    bool Started() const { return m_pid > 0 || m_exited; }
    // True once it has exited (Status then holds its exit status, or -1 for a signal).
    bool Exited();
    int Status() const { return m_status; }
    void Stop();

private:
    pid_t m_pid = -1;
    bool m_exited = false;
    int m_status = -1;
};

}  // namespace testsupport
