#include "framework/platform/LinuxPlatform.h"

#include "framework/platform/LinuxFileChoosers.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace framework::platform {

namespace {

void SetError(IoError* err, int code) {
    if (err) {
        err->Code = code;
        err->Text = std::strerror(code);
    }
}

// Owns a file descriptor; closes it on every way out unless released.
class FileHandle {
public:
    explicit FileHandle(int fd = -1) : m_fd(fd) {}
    ~FileHandle() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int Get() const { return m_fd; }
    void Reset(int fd) {
        Close();
        m_fd = fd;
    }
    // Closes now and reports the result: NFS and others report late write errors here.
    int Close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd >= 0 ? ::close(fd) : 0;
    }

private:
    int m_fd;
};

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Reads from fd at the current position (offset < 0) or at offset, until maxBytes or the end,
// straight into out. Expected is the size the file reports: with room for one byte more, the
// read that finds the end needs no more room; a file that grows or reports no size (those
// under /proc) gets its room doubled.
bool ReadAll(int fd, std::string& out, std::size_t maxBytes, off_t offset, std::size_t expected, int& error) {
    out.resize(std::min(maxBytes, std::max<std::size_t>(expected, 4095) + 1));
    std::size_t total = 0;
    while (total < maxBytes) {
        if (total == out.size())
            out.resize(std::min(maxBytes, out.size() * 2));
        const std::size_t want = out.size() - total;
        const ssize_t n = offset < 0
                              ? ::read(fd, out.data() + total, want)
                              : ::pread(fd, out.data() + total, want, offset + static_cast<off_t>(total));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        if (n == 0)
            break;
        total += static_cast<std::size_t>(n);
    }
    out.resize(total);
    return true;
}

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

bool ParseDeviceNumbers(std::string_view text, unsigned& major, unsigned& minor) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos)
        return false;
    const char* begin = text.data();
    const char* mid = begin + colon;
    const char* end = begin + text.size();
    const auto a = std::from_chars(begin, mid, major);
    const auto b = std::from_chars(mid + 1, end, minor);
    return a.ec == std::errc() && a.ptr == mid && colon > 0 && b.ec == std::errc() && b.ptr == end &&
           mid + 1 != end;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t' || line[pos] == '\r'))
            ++pos;
        if (pos >= line.size())
            break;
        std::size_t end = pos;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r')
            ++end;
        fields.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return fields;
}

// Splits "dir/name" into the folder to create the temporary file in and the file's name.
void SplitPath(const std::string& path, std::string& folder, std::string& name) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        folder = ".";
        name = path;
    } else {
        folder = slash == 0 ? "/" : path.substr(0, slash);
        name = path.substr(slash + 1);
    }
}

// Random letters for a temporary file's name. Process ids cannot tell writers apart (every run
// of a program that is pid 1 of its own namespace has the same one), so names are random and
// created exclusively; a clash only costs another try.
std::string RandomSuffix() {
    unsigned char bytes[6] = {};
    std::size_t got = 0;
    while (got < sizeof bytes) {
        const ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got < sizeof bytes) {
        // Without the system's randomness the clock still differs between writers.
        struct timespec now {};
        ::clock_gettime(CLOCK_REALTIME, &now);
        std::uint64_t mix =
            static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(now.tv_sec) << 30);
        for (unsigned char& b : bytes) {
            mix = mix * 6364136223846793005ull + 1442695040888963407ull;
            b = static_cast<unsigned char>(mix >> 56);
        }
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char b : bytes) {
        out.push_back(kHex[b >> 4]);
        out.push_back(kHex[b & 15]);
    }
    return out;
}

// Length of the random part of a temporary name.
constexpr std::size_t kRandomSuffixLength = 12;

// Whether the file open on fd is the one that Name in the folder dirFd names now.
bool SameFile(int fd, int dirFd, const char* name) {
    struct stat open {
    }, named{};
    return ::fstat(fd, &open) == 0 && open.st_nlink > 0 &&
           ::fstatat(dirFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

// Removes from Folder the temporary files of earlier atomic writes of the same target (names
// starting with Prefix) whose writer is gone: a crash or kill -9 during a save leaves a
// full-size copy that nothing else would ever remove. A writer holds a lock on its temporary
// file until the file has its final name, and the system drops the lock when the writer dies,
// so a temporary file that can be locked has no writer.
void RemoveLeftovers(const std::string& folder, const std::string& prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> candidates;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() > prefix.size() && name.starts_with(prefix))
            candidates.emplace_back(name);
    }
    for (const std::string& name : candidates) {
        FileHandle file(
            ::openat(::dirfd(dir), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat st {};
        // Only regular files are ours; anything else under such a name is left alone.
        if (file.Get() < 0 || ::fstat(file.Get(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (::flock(file.Get(), LOCK_EX | LOCK_NB) != 0)
            continue;  // its writer is still at work
        if (SameFile(file.Get(), ::dirfd(dir), name.c_str()))
            ::unlinkat(::dirfd(dir), name.c_str(), 0);
    }
    ::closedir(dir);
}

// The executable as the kernel names it now. Once the file is replaced or removed (a rebuild,
// a package upgrade: a new file is renamed over the old name) the kernel adds " (deleted)" to
// the old name; that suffix is dropped unless a file of that very name is what runs.
std::string ExecutableNow() {
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return std::string();
        if (static_cast<std::size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(n));
            break;
        }
        if (buffer.size() > (1u << 20))
            return std::string();
        buffer.resize(buffer.size() * 2);
    }
    return StripDeletedSuffix(buffer, [](const std::string& path) {
        struct stat named {
        }, running{};
        return ::stat(path.c_str(), &named) == 0 && ::stat("/proc/self/exe", &running) == 0 &&
               named.st_dev == running.st_dev && named.st_ino == running.st_ino;
    });
}

// The name the program was started as, found before main runs: the settings and files beside
// the program are found under that name for the whole run, even after the file is replaced.
const std::string g_startedExecutable = ExecutableNow();

class LinuxPlatform final : public IPlatform {
public:
    std::string ExecutablePath() override { return StartedExecutable(); }

    std::optional<std::string> GetEnv(const std::string& name) override {
        const char* value = std::getenv(name.c_str());
        if (!value)
            return std::nullopt;
        return std::string(value);
    }

    std::string CurrentDirectory() override {
        std::string buffer(PATH_MAX, '\0');
        for (;;) {
            if (::getcwd(buffer.data(), buffer.size()))
                return std::string(buffer.c_str());
            if (errno != ERANGE || buffer.size() > (1u << 20))
                return std::string();
            buffer.resize(buffer.size() * 2);
        }
    }

    // Without a display there is nothing to ask; the window host reports the real value.
    int ScreenPixelsPerInch() override { return 96; }

    // The kernel's own major version means nothing here; report the first with new-style choosers.
    int SystemMajorVersion() override { return 6; }
    IFileChooser& FileChooser() override { return m_chooser; }

    std::vector<MountEntry> Mounts() override {
        const std::lock_guard<std::mutex> lock(m_mountsLock);
        if (MountTableChanged()) {
            std::string text;
            int error = 0;
            // A table that could not be read is asked for again next time.
            m_mountsKnown = m_mountInfo.Get() >= 0 && ::lseek(m_mountInfo.Get(), 0, SEEK_SET) == 0 &&
                            ReadAll(m_mountInfo.Get(), text, SIZE_MAX, -1, 0, error);
            m_mounts = m_mountsKnown ? ParseMountInfo(text) : std::vector<MountEntry>();
        }
        return m_mounts;
    }

    std::optional<std::string> BlockDeviceSysPath(unsigned major, unsigned minor) override {
        return RealPath("/sys/dev/block/" + std::to_string(major) + ":" + std::to_string(minor));
    }

    FileStat Stat(const std::string& path, bool followLinks) override {
        FileStat result;
        struct stat st {};
        const int rc = followLinks ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st);
        if (rc != 0)
            return result;
        result.Exists = true;
        result.IsDirectory = S_ISDIR(st.st_mode);
        result.IsRegular = S_ISREG(st.st_mode);
        result.IsSymlink = S_ISLNK(st.st_mode);
        result.IsBlockDevice = S_ISBLK(st.st_mode);
        result.Size = static_cast<std::uint64_t>(st.st_size);
        result.Mode = st.st_mode & 07777;
        result.DevMajor = major(st.st_dev);
        result.DevMinor = minor(st.st_dev);
        if (result.IsBlockDevice) {
            result.RDevMajor = major(st.st_rdev);
            result.RDevMinor = minor(st.st_rdev);
        }
        return result;
    }

    // Opens a file (not a folder) for reading and tells what it is; false and err on failure.
    static bool OpenForReading(const std::string& path, FileHandle& file, struct stat& st, IoError* err) {
        file.Reset(OpenRetrying(path.c_str(), O_RDONLY | O_CLOEXEC));
        const int error = file.Get() < 0                  ? errno
                          : ::fstat(file.Get(), &st) != 0 ? errno
                          : S_ISDIR(st.st_mode)           ? EISDIR
                                                          : 0;
        if (error != 0)
            SetError(err, error);
        return error == 0;
    }

    std::optional<std::string> ReadFile(const std::string& path, IoError* err) override {
        FileHandle file;
        struct stat st {};
        if (!OpenForReading(path, file, st, err))
            return std::nullopt;
        std::string data;
        // Files under /proc report size 0 and are read to their end all the same.
        const std::size_t expected = S_ISREG(st.st_mode) ? static_cast<std::size_t>(st.st_size) : 0;
        int error = 0;
        if (!ReadAll(file.Get(), data, SIZE_MAX, -1, expected, error)) {
            SetError(err, error);
            return std::nullopt;
        }
        return data;
    }

    // Opens a regular file, links followed, for reading; anything else (a folder, a pipe, a
    // device, a socket) is refused before it is opened, so that nothing waits for a writer or
    // reads without end. Opened without waiting, and looked at again once open, in case the
    // path was replaced meanwhile.
    static bool OpenRegular(const std::string& path, FileHandle& file, struct stat& st, IoError* err) {
        const auto refuse = [err](int code) {
            SetError(err, code);
            if (err && code == EINVAL)
                err->Text = "Not a regular file";
            return false;
        };
        if (::stat(path.c_str(), &st) != 0)
            return refuse(errno);
        if (S_ISDIR(st.st_mode))
            return refuse(EISDIR);
        if (!S_ISREG(st.st_mode))
            return refuse(EINVAL);
        file.Reset(OpenRetrying(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
        if (file.Get() < 0)
            return refuse(errno);
        if (::fstat(file.Get(), &st) != 0)
            return refuse(errno);
        return S_ISREG(st.st_mode) || refuse(EINVAL);
    }

    std::optional<std::string> ReadFileRange(const std::string& path, std::uint64_t offset,
                                             std::size_t maxBytes, IoError* err) override {
        if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
            SetError(err, EINVAL);
            return std::nullopt;
        }
        FileHandle file;
        struct stat st {};
        if (!OpenRegular(path, file, st, err))
            return std::nullopt;
        std::string data;
        // Room for what the file can give, never for what a caller asks for blindly.
        const std::size_t expected = S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) > offset
                                         ? static_cast<std::size_t>(std::min<std::uint64_t>(
                                               maxBytes, static_cast<std::uint64_t>(st.st_size) - offset))
                                         : 0;
        int error = 0;
        if (!ReadAll(file.Get(), data, maxBytes, static_cast<off_t>(offset), expected, error)) {
            SetError(err, error);
            return std::nullopt;
        }
        return data;
    }

    std::optional<std::string> ReadLink(const std::string& path) override {
        std::string buffer(256, '\0');
        for (;;) {
            const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
            if (n < 0)
                return std::nullopt;
            if (static_cast<std::size_t>(n) < buffer.size()) {
                buffer.resize(static_cast<std::size_t>(n));
                return buffer;
            }
            if (buffer.size() > (1u << 20))
                return std::nullopt;
            buffer.resize(buffer.size() * 2);
        }
    }

    std::optional<std::string> RealPath(const std::string& path) override {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (!resolved)
            return std::nullopt;
        std::string result(resolved);
        std::free(resolved);
        return result;
    }

    std::vector<std::string> ListDirectory(const std::string& path) override {
        std::vector<std::string> names;
        DIR* dir = ::opendir(path.c_str());
        if (!dir)
            return names;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..")
                names.emplace_back(name);
        }
        ::closedir(dir);
        // The system's order depends on the file system; callers get a stable one.
        std::sort(names.begin(), names.end());
        return names;
    }

    bool MakeDirectory(const std::string& path, IoError* err) override {
        if (::mkdir(path.c_str(), 0777) == 0)
            return true;
        SetError(err, errno);
        return false;
    }

    bool RemoveFile(const std::string& path, IoError* err) override {
        if (::unlink(path.c_str()) == 0)
            return true;
        SetError(err, errno);
        return false;
    }

    bool AppendFile(const std::string& path, const std::string& data, IoError* err) override {
        // Opened without waiting: a named pipe that no one reads fails at once (ENXIO) instead
        // of holding the program until a reader comes. Writes then wait as usual.
        const int fd = OpenRetrying(path.c_str(),
                                    O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
        if (fd < 0) {
            SetError(err, errno);
            if (err && err->Code == ENXIO)
                err->Text = "Nobody reads from this pipe";
            return false;
        }
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0)
            (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
        std::size_t done = 0;
        while (done < data.size()) {
            const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                SetError(err, n < 0 ? errno : EIO);
                ::close(fd);
                return false;
            }
            done += static_cast<std::size_t>(n);
        }
        if (::close(fd) != 0) {
            SetError(err, errno);
            return false;
        }
        return true;
    }

    bool RemoveDirectory(const std::string& path, IoError* err) override {
        if (::rmdir(path.c_str()) == 0)
            return true;
        SetError(err, errno);
        return false;
    }

    bool Rename(const std::string& from, const std::string& to, IoError* err) override {
        if (::rename(from.c_str(), to.c_str()) == 0)
            return true;
        SetError(err, errno);
        return false;
    }

    bool WriteFileAtomic(const std::string& path, std::string_view data, IoError* err) override {
        return WriteFileAtomicWith(path, data, err, AtomicWriteOptions{});
    }

private:
    // The mount table is asked for on every save and restore of a form, and the kernel builds
    // its text anew each time. It is read again only when the kernel reports a change: an open
    // mountinfo polls with an exceptional condition once mounts have changed since the last
    // poll. A process that moved to another mount namespace, or a child after fork (which
    // would share the poll state with its parent), opens its own.
    bool MountTableChanged() {
        struct stat ns {};
        const bool nsKnown = ::stat("/proc/self/ns/mnt", &ns) == 0;
        const pid_t pid = ::getpid();
        if (m_mountInfo.Get() < 0 || !nsKnown || ns.st_ino != m_namespace || pid != m_owner) {
            m_mountInfo.Reset(OpenRetrying("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC));
            m_namespace = nsKnown ? ns.st_ino : 0;
            m_owner = pid;
            return true;
        }
        if (!m_mountsKnown)
            return true;
        pollfd watch{m_mountInfo.Get(), POLLPRI, 0};
        int ready;
        do {
            ready = ::poll(&watch, 1, 0);
        } while (ready < 0 && errno == EINTR);
        return ready != 0 && (ready < 0 || (watch.revents & (POLLPRI | POLLERR | POLLNVAL)) != 0);
    }

    std::mutex m_mountsLock;
    FileHandle m_mountInfo;
    ino_t m_namespace = 0;
    pid_t m_owner = 0;
    bool m_mountsKnown = false;
    std::vector<MountEntry> m_mounts;
    DesktopFileChooser m_chooser;
};

}  // namespace

std::unique_ptr<IPlatform> MakeLinuxPlatform() { return std::make_unique<LinuxPlatform>(); }

std::string UnescapeMountField(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) && IsOctal(field[i + 2]) &&
            IsOctal(field[i + 3])) {
            const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            if (value <= 0xFF) {
                out.push_back(static_cast<char>(value));
                i += 3;
                continue;
            }
        }
        out.push_back(field[i]);
    }
    return out;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
    std::vector<MountEntry> mounts;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const auto fields = SplitFields(text.substr(start, end - start));
        start = end + 1;

        // id, parent, maj:min, root, mount point, options, [optional...], "-", type, source, ...
        if (fields.size() < 9)
            continue;
        std::size_t separator = 6;
        while (separator < fields.size() && fields[separator] != "-")
            ++separator;
        if (separator + 2 >= fields.size())
            continue;  // no "-", or no type and source after it

        MountEntry entry;
        if (!ParseDeviceNumbers(fields[2], entry.Major, entry.Minor))
            continue;
        entry.Root = UnescapeMountField(fields[3]);
        entry.MountPoint = UnescapeMountField(fields[4]);
        if (entry.MountPoint.empty() || entry.MountPoint.front() != '/')
            continue;
        while (entry.MountPoint.size() > 1 && entry.MountPoint.back() == '/')
            entry.MountPoint.pop_back();
        entry.FsType = UnescapeMountField(fields[separator + 1]);
        entry.Source = UnescapeMountField(fields[separator + 2]);
        mounts.push_back(std::move(entry));
    }
    return mounts;
}

std::string StripDeletedSuffix(const std::string& LinkText,
                               const std::function<bool(const std::string&)>& IsRunning) {
    constexpr std::string_view kDeleted = " (deleted)";
    if (!LinkText.ends_with(kDeleted) || IsRunning(LinkText))
        return LinkText;
    return LinkText.substr(0, LinkText.size() - kDeleted.size());
}

std::string StartedExecutable() {
    // A program whose file was already gone when it started still gets the best name known.
    return g_startedExecutable.empty() ? ExecutableNow() : g_startedExecutable;
}

std::string AtomicWriteTempPrefix(const std::string& path) {
    std::string folder, name;
    SplitPath(path, folder, name);
    // The temporary name must stay within the longest name a folder holds, also for a target
    // whose own name is near it: the target's name is shortened there, at a character's start.
    constexpr std::size_t kAround = 1 + 5 + kRandomSuffixLength;  // ".", ".tmp-", the random part
    if (name.size() + kAround > NAME_MAX) {
        std::size_t keep = NAME_MAX - kAround;
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
        name.resize(keep);
    }
    return "." + name + ".tmp-";
}

bool WriteFileAtomicWith(const std::string& path, std::string_view data, IoError* err,
                         const AtomicWriteOptions& options) {
    const auto faultAt = [&](WriteStep step) -> int {
        return options.Fault && options.Fault->Step == step ? options.Fault->Code : 0;
    };

    if (path.empty()) {
        SetError(err, ENOENT);
        return false;
    }
    std::string target = path;
    // Writing through a symbolic link updates the file it points to and keeps the link. The
    // path itself, when it is no link, is the old file.
    struct stat old {};
    bool hadOld = ::lstat(path.c_str(), &old) == 0;
    if (hadOld && S_ISLNK(old.st_mode)) {
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            target = resolved;
            std::free(resolved);
        }
        hadOld = ::stat(target.c_str(), &old) == 0;
    }
    if (hadOld && S_ISDIR(old.st_mode)) {
        SetError(err, EISDIR);
        return false;
    }
    // A device, pipe or socket under that name is never replaced by a file: a state file
    // linked to /dev/null must not turn /dev/null into a regular file.
    if (hadOld && !S_ISREG(old.st_mode)) {
        SetError(err, EINVAL);
        if (err)
            err->Text = "Not a regular file";
        return false;
    }
    std::string folder, name;
    SplitPath(target, folder, name);
    if (name.empty() || name == "." || name == "..") {
        SetError(err, EISDIR);
        return false;
    }

    // A file that replaces another is private until it gets the old file's bits; a new file
    // gets the usual 0666 less the umask.
    const mode_t createMode = hadOld ? 0600 : 0666;
    const std::string prefix = AtomicWriteTempPrefix(target);
    RemoveLeftovers(folder, prefix);
    FileHandle folderHandle(OpenRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderHandle.Get() < 0) {
        SetError(err, errno);
        return false;
    }
    std::string tempName, temp;
    FileHandle file;
    for (int attempt = 0;; ++attempt) {
        tempName = prefix + RandomSuffix();
        temp = (folder == "/" ? "/" : folder + "/") + tempName;
        if (const int code = faultAt(WriteStep::CreateTemp)) {
            SetError(err, code);
            return false;
        }
        const int fd = OpenRetrying(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
        if (fd < 0) {
            if (errno != EEXIST || attempt >= 100) {
                SetError(err, errno);
                return false;
            }
            continue;  // the name is taken; draw another
        }
        file.Reset(fd);
        // The lock tells the next writer's cleanup that this file is in use. A cleanup that
        // came between the creation and the lock has removed it; then it starts again.
        int locked;
        do {
            locked = ::flock(fd, LOCK_EX);
        } while (locked != 0 && errno == EINTR);
        if (locked == 0 && SameFile(fd, folderHandle.Get(), tempName.c_str()))
            break;
        if (locked != 0 && errno != ENOLCK && errno != EOPNOTSUPP) {
            const int code = errno;
            file.Close();
            ::unlink(temp.c_str());
            SetError(err, code);
            return false;
        }
        if (locked != 0)
            break;  // a file system without locks: the file is written all the same
        file.Close();
        if (attempt >= 100) {
            SetError(err, EAGAIN);
            return false;
        }
    }
    // Holds the lock from the close that reports late write errors until the rename.
    FileHandle lockHolder;

    const auto fail = [&](int code) {
        file.Close();
        ::unlink(temp.c_str());
        lockHolder.Close();
        SetError(err, code);
        return false;
    };

    std::size_t written = 0;
    int interruptions = options.InterruptedWrites;
    while (written < data.size()) {
        std::size_t chunk = data.size() - written;
        if (options.MaxBytesPerWrite > 0)
            chunk = std::min(chunk, options.MaxBytesPerWrite);
        if (const int code = faultAt(WriteStep::Write)) {
            if (written >= options.Fault->AfterBytes)
                return fail(code);
            chunk = std::min<std::size_t>(chunk, options.Fault->AfterBytes - written);
        }
        ssize_t n;
        if (interruptions > 0) {
            --interruptions;
            errno = EINTR;
            n = -1;
        } else {
            n = ::write(file.Get(), data.data() + written, chunk);
        }
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        if (n == 0)
            return fail(EIO);
        written += static_cast<std::size_t>(n);
    }

    if (const int code = faultAt(WriteStep::Sync))
        return fail(code);
    if (::fsync(file.Get()) != 0)
        return fail(errno);

    if (hadOld) {
        // Keep the old owner when we may (an administrator rewriting a user's file must not
        // take it from the user). Before fchmod, because a change of owner clears set-id bits.
        struct stat mine {};
        if (::fstat(file.Get(), &mine) == 0 && (mine.st_uid != old.st_uid || mine.st_gid != old.st_gid))
            (void)::fchown(file.Get(), old.st_uid, old.st_gid);
        if (const int code = faultAt(WriteStep::Chmod))
            return fail(code);
        if (::fchmod(file.Get(), old.st_mode & 07777) != 0)
            return fail(errno);
    }
    lockHolder.Reset(::fcntl(file.Get(), F_DUPFD_CLOEXEC, 0));
    if (file.Close() != 0)
        return fail(errno);

    if (const int code = faultAt(WriteStep::Rename))
        return fail(code);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return fail(errno);
    lockHolder.Close();

    // Make the rename itself durable. The new file is already in place, so a failure here is
    // not reported: telling the caller the old file survived would be wrong.
    if (!faultAt(WriteStep::SyncFolder))
        ::fsync(folderHandle.Get());
    return true;
}

}  // namespace framework::platform
