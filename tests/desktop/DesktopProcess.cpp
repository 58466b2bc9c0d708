#include "DesktopProcess.h"

#include <fstream>
#include <sstream>
#include <string_view>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace testsupport {

bool WaitFor(const std::function<bool()>& Done, std::chrono::milliseconds Patience) {
    const auto end = std::chrono::steady_clock::now() + Patience;
    for (;;) {
        if (Done())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::string ReadFile(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& Overrides) {
    auto named = [](std::string_view Entry, std::string_view Name) {
        return Entry.size() > Name.size() && Entry.substr(0, Name.size()) == Name &&
               Entry[Name.size()] == '=';
    };
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
        bool replaced = named(*e, "HOME");
        for (const std::string& o : Overrides)
            replaced = replaced || named(*e, std::string_view(o).substr(0, o.find('=')));
        if (!replaced)
            environment.emplace_back(*e);
    }
    environment.insert(environment.end(), Overrides.begin(), Overrides.end());
    return environment;
}

TChild::TChild(const std::vector<std::string>& Arguments, const std::vector<std::string>& Environment,
               const std::string& Output, const std::string& Input) {
    std::vector<char*> argv, envp;
    for (const std::string& a : Arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const std::string& e : Environment)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    if (!Input.empty())
        posix_spawn_file_actions_addopen(&files, 0, Input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, Output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&files, 1, 2);
    if (posix_spawn(&m_pid, argv[0], &files, nullptr, argv.data(), envp.data()) != 0)
        m_pid = -1;
    posix_spawn_file_actions_destroy(&files);
}

bool TChild::Exited() {
    int status = 0;
    if (m_pid > 0 && waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        m_exited = true;
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return m_exited;
}

void TChild::Stop() {
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    m_pid = -1;
}

}  // namespace testsupport
