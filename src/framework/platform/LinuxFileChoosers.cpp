#include "framework/platform/LinuxFileChoosers.h"

#include "framework/platform/Platform.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <iostream>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace framework::platform {

namespace {

// Between the paths of a multiple choice. Choosers answer normalised absolute paths, in
// which "//" never occurs, so this cannot be part of a name even when names hold line breaks.
constexpr std::string_view kZenitySeparator = "\n//\n";

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i)
            out += separator;
        out += parts[i];
    }
    return out;
}

// The answer without the one line break the program ends it with.
std::string_view withoutFinalBreak(std::string_view output) {
    if (!output.empty() && output.back() == '\n')
        output.remove_suffix(1);
    return output;
}

FileChoice accepted(std::vector<std::string> paths) {
    FileChoice choice;
    choice.Accepted = !paths.empty();
    if (choice.Accepted)
        choice.Paths = std::move(paths);
    return choice;
}

}  // namespace

std::string CaseInsensitiveMask(std::string_view Mask) {
    if (Mask == "*.*")
        return "*";
    std::string out;
    out.reserve(Mask.size() * 4);
    for (std::size_t i = 0; i < Mask.size(); ++i) {
        const char c = Mask[i];
        if (c == '[') {
            // A group of the mask's own passes unchanged, up to its closing bracket.
            const std::size_t close = Mask.find(']', i + 2);
            if (close != std::string_view::npos) {
                out.append(Mask.substr(i, close - i + 1));
                i = close;
                continue;
            }
        }
        if (isAsciiLetter(c)) {
            const char lower = static_cast<char>(c | 0x20), upper = static_cast<char>(c & ~0x20);
            out += '[';
            out += lower;
            out += upper;
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<FileFilter> ChooserFilters(const FileChooserRequest& Request) {
    std::vector<FileFilter> filters;
    filters.reserve(Request.Filters.size());
    const int count = static_cast<int>(Request.Filters.size());
    const int current =
        Request.CurrentFilter >= 0 && Request.CurrentFilter < count ? Request.CurrentFilter : 0;
    auto add = [&](const FileFilter& filter) {
        FileFilter& out = filters.emplace_back();
        out.Name = filter.Name;
        for (const std::string& mask : filter.Masks)
            out.Masks.push_back(CaseInsensitiveMask(mask));
    };
    if (count > 0)
        add(Request.Filters[static_cast<std::size_t>(current)]);
    for (int i = 0; i < count; ++i)
        if (i != current)
            add(Request.Filters[static_cast<std::size_t>(i)]);
    return filters;
}

std::string ChooserStartPath(const FileChooserRequest& Request) {
    const std::string& name = Request.FileName;
    // The same path as folder and name (a picker's text) is meant once.
    if (!name.empty() && (name.front() == '/' || name == Request.StartFolder)) {
        if (name.back() != '/' && Platform().Stat(name).IsDirectory)
            return name + '/';
        return name;
    }
    if (Request.StartFolder.empty())
        return name;
    std::string path = Request.StartFolder;
    if (path.back() != '/')
        path += '/';
    return path + name;
}

std::vector<std::string> ZenityArguments(const FileChooserRequest& Request) {
    std::vector<std::string> args{"--file-selection"};
    if (!Request.Title.empty())
        args.push_back("--title=" + Request.Title);
    // zenity refuses --ok-label for file selection and shows nothing, so its own label stays.
    if (Request.PickFolders)
        args.emplace_back("--directory");
    if (Request.Save) {
        args.emplace_back("--save");
        if (Request.ConfirmOverwrite)
            args.emplace_back("--confirm-overwrite");
    }
    if (Request.MultiSelect) {
        args.emplace_back("--multiple");
        args.push_back("--separator=" + std::string(kZenitySeparator));
    }
    const std::string start = ChooserStartPath(Request);
    if (!start.empty())
        args.push_back("--filename=" + start);
    if (!Request.PickFolders)
        for (const FileFilter& filter : ChooserFilters(Request))
            args.push_back("--file-filter=" + filter.Name + " | " + joined(filter.Masks, " "));
    return args;
}

FileChoice ParseZenityAnswer(int ExitStatus, std::string_view Output, bool MultiSelect) {
    if (ExitStatus != 0)
        return {};
    std::string_view rest = withoutFinalBreak(Output);
    std::vector<std::string> paths;
    if (MultiSelect) {
        for (std::size_t cut; (cut = rest.find(kZenitySeparator)) != std::string_view::npos;) {
            paths.emplace_back(rest.substr(0, cut));
            rest.remove_prefix(cut + kZenitySeparator.size());
        }
    }
    if (!rest.empty())
        paths.emplace_back(rest);
    return accepted(std::move(paths));
}

std::vector<std::string> KdialogArguments(const FileChooserRequest& Request) {
    std::vector<std::string> args;
    if (!Request.Title.empty())
        args.insert(args.end(), {"--title", Request.Title});
    std::string start = ChooserStartPath(Request);
    if (start.empty())
        start = ".";
    if (Request.PickFolders) {
        args.insert(args.end(), {"--getexistingdirectory", start});
        return args;
    }
    if (Request.MultiSelect && !Request.Save)
        args.insert(args.end(), {"--multiple", "--separate-output"});
    args.insert(args.end(), {Request.Save ? "--getsavefilename" : "--getopenfilename", start});
    // One filter a line, masks then the text after a '|'.
    std::vector<std::string> lines;
    for (const FileFilter& filter : ChooserFilters(Request))
        lines.push_back(joined(filter.Masks, " ") + "|" + filter.Name);
    if (!lines.empty())
        args.push_back(joined(lines, "\n"));
    return args;
}

FileChoice ParseKdialogAnswer(int ExitStatus, std::string_view Output, bool MultiSelect) {
    if (ExitStatus != 0)
        return {};
    const std::string_view rest = withoutFinalBreak(Output);
    if (!MultiSelect)
        return accepted(rest.empty() ? std::vector<std::string>{}
                                     : std::vector<std::string>{std::string(rest)});
    // One path a line. Every answer is absolute, so a line that does not start with '/'
    // continues a name that holds a line break.
    std::vector<std::string> paths;
    std::size_t start = 0;
    while (start <= rest.size() && !rest.empty()) {
        std::size_t end = rest.find('\n', start);
        if (end == std::string_view::npos)
            end = rest.size();
        const std::string_view line = rest.substr(start, end - start);
        if (!paths.empty() && (line.empty() || line.front() != '/'))
            (paths.back() += '\n') += line;
        else
            paths.emplace_back(line);
        start = end + 1;
    }
    return accepted(std::move(paths));
}

std::optional<std::string> FileUriToPath(std::string_view Uri) {
    constexpr std::string_view scheme = "file://";
    if (Uri.substr(0, scheme.size()) != scheme)
        return std::nullopt;
    Uri.remove_prefix(scheme.size());
    // A host part ("file://localhost/...") is skipped; the path starts at its first '/'.
    const std::size_t slash = Uri.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    Uri.remove_prefix(slash);
    std::string path;
    path.reserve(Uri.size());
    for (std::size_t i = 0; i < Uri.size(); ++i) {
        unsigned byte = 0;
        const char* digits = Uri.data() + i + 1;
        if (Uri[i] == '%' && i + 2 < Uri.size() &&
            std::from_chars(digits, digits + 2, byte, 16).ptr == digits + 2) {
            path += static_cast<char>(byte);
            i += 2;
        } else {
            path += Uri[i];
        }
    }
    return path;
}

ProgramResult RunProgram(const std::string& Path, const std::vector<std::string>& Arguments) {
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        throw EFileChooserError("Cannot start " + Path + ": " + std::strerror(errno));
    if (::pipe2(err, O_CLOEXEC) != 0) {
        const int code = errno;
        ::close(out[0]);
        ::close(out[1]);
        throw EFileChooserError("Cannot start " + Path + ": " + std::strerror(code));
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(Path.c_str()));
    for (const std::string& arg : Arguments)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawnError = ::posix_spawn(&pid, Path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    if (spawnError != 0) {
        ::close(out[0]);
        ::close(err[0]);
        throw EFileChooserError("Cannot start " + Path + ": " + std::strerror(spawnError));
    }

    // Both streams are read as they come, so that neither fills up and stalls the program.
    ChooserWait wait;
    ProgramResult result;
    pollfd streams[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.Output, &result.Errors};
    char buffer[4096];
    int open = 2;
    while (open > 0) {
        const int ready = ::poll(streams, 2, ChooserWait::PollTimeout());
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (ready == 0) {
            wait.Poll();
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (streams[i].fd < 0 || streams[i].revents == 0)
                continue;
            const ssize_t got = ::read(streams[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                ::close(streams[i].fd);
                streams[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd& stream : streams)
        if (stream.fd >= 0)
            ::close(stream.fd);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    result.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string ChooserProgramFailure(const std::string& Program, const ProgramResult& Run) {
    // The last line it wrote to stderr says best what went wrong.
    std::string_view errors = Run.Errors;
    while (!errors.empty() && (errors.back() == '\n' || errors.back() == '\r' || errors.back() == ' '))
        errors.remove_suffix(1);
    const std::size_t lineStart = errors.rfind('\n');
    const std::string lastLine(lineStart == std::string_view::npos ? errors : errors.substr(lineStart + 1));
    std::string lower = Run.Errors;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool noDisplay = lower.find("cannot open display") != std::string::npos ||
                           lower.find("failed to open display") != std::string::npos ||
                           lower.find("could not connect to display") != std::string::npos;
    if (Run.ExitStatus == 0 || (Run.ExitStatus == 1 && !noDisplay))
        return std::string();
    std::string why = "The file chooser (" + Program + ") could not be shown";
    if (!lastLine.empty())
        why += ": " + lastLine;
    else
        why += Run.ExitStatus < 0 ? ": it was ended by a signal"
                                  : ": it exited with status " + std::to_string(Run.ExitStatus);
    return why;
}

std::optional<std::string> FindProgram(std::string_view Name, std::string_view SearchPath) {
    while (!SearchPath.empty()) {
        const std::size_t colon = SearchPath.find(':');
        const std::string_view folder = SearchPath.substr(0, colon);
        SearchPath = colon == std::string_view::npos ? std::string_view() : SearchPath.substr(colon + 1);
        if (folder.empty())
            continue;  // an empty entry would mean the current folder; never run what lies there
        std::string candidate(folder);
        candidate += '/';
        candidate += Name;
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

// --- the wait for a chooser -----------------------------------------------------------------

namespace {
ChooserPump& chooserPump() {
    static ChooserPump pump;
    return pump;
}
int& openChoosers() {
    static int count = 0;
    return count;
}
}  // namespace

void SetChooserPump(ChooserPump Pump) { chooserPump() = std::move(Pump); }

bool ChooserOpen() { return openChoosers() > 0; }

ChooserWait::ChooserWait() { ++openChoosers(); }

ChooserWait::~ChooserWait() { --openChoosers(); }

int ChooserWait::PollTimeout() {
    constexpr int kPumpInterval = 20;
    return chooserPump() ? kPumpInterval : -1;
}

void ChooserWait::Poll() {
    // A copy: the pump may be replaced while it runs (the window host closing).
    if (const ChooserPump pump = chooserPump())
        pump();
}

// --- DesktopFileChooser -----------------------------------------------------------------------

std::string DesktopFileChooser::UnavailableMessage() {
    return "No file chooser is available: looked for the XDG desktop portal "
           "(org.freedesktop.portal.FileChooser on the session bus), zenity and kdialog";
}

DesktopFileChooser::Settings DesktopFileChooser::CurrentSettings() const {
    if (m_fixed)
        return *m_fixed;
    Settings settings;
    settings.SearchPath = Platform().GetEnv("PATH").value_or("/usr/local/bin:/usr/bin:/bin");
    return settings;
}

FileChoice DesktopFileChooser::Choose(const FileChooserRequest& Request) {
    const Settings settings = CurrentSettings();
    if (std::optional<FileChoice> choice = ChooseThroughPortal(Request, settings.BusAddress))
        return *choice;
    // A chooser that cannot open (no display it can reach) is an error the user sees, as when
    // none is installed, never a silent cancel.
    if (std::optional<std::string> zenity = FindProgram("zenity", settings.SearchPath)) {
        const ProgramResult run = RunProgram(*zenity, ZenityArguments(Request));
        if (const std::string failure = ChooserProgramFailure("zenity", run); !failure.empty())
            throw EFileChooserError(failure);
        return ParseZenityAnswer(run.ExitStatus, run.Output, Request.MultiSelect);
    }
    if (std::optional<std::string> kdialog = FindProgram("kdialog", settings.SearchPath)) {
        const ProgramResult run = RunProgram(*kdialog, KdialogArguments(Request));
        if (const std::string failure = ChooserProgramFailure("kdialog", run); !failure.empty())
            throw EFileChooserError(failure);
        return ParseKdialogAnswer(run.ExitStatus, run.Output, Request.MultiSelect);
    }
    throw EFileChooserError(UnavailableMessage());
}

bool DesktopFileChooser::Confirm(const std::string& Title, const std::string& Question) {
    const Settings settings = CurrentSettings();
    if (std::optional<std::string> zenity = FindProgram("zenity", settings.SearchPath))
        return RunProgram(*zenity, {"--question", "--no-markup", "--title=" + Title, "--text=" + Question})
                   .ExitStatus == 0;
    if (std::optional<std::string> kdialog = FindProgram("kdialog", settings.SearchPath))
        return RunProgram(*kdialog, {"--title", Title, "--yesno", Question}).ExitStatus == 0;
    // Nobody can be asked; doing nothing is the safe answer.
    return false;
}

void DesktopFileChooser::ShowMessage(const std::string& Title, const std::string& Text) {
    const Settings settings = CurrentSettings();
    // A program that cannot reach the display leaves the message to stderr below.
    if (std::optional<std::string> zenity = FindProgram("zenity", settings.SearchPath)) {
        const ProgramResult run =
            RunProgram(*zenity, {"--error", "--no-markup", "--title=" + Title, "--text=" + Text});
        if (ChooserProgramFailure("zenity", run).empty())
            return;
    } else if (std::optional<std::string> kdialog = FindProgram("kdialog", settings.SearchPath)) {
        const ProgramResult run = RunProgram(*kdialog, {"--title", Title, "--error", Text});
        if (ChooserProgramFailure("kdialog", run).empty())
            return;
    }
    // Without any dialog program the message still reaches whoever started the program.
    std::cerr << Title << ": " << Text << std::endl;
}

}  // namespace framework::platform
