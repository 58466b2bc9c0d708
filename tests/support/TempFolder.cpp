#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace testsupport {

namespace {

std::string BaseFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::error_code ec;
    if (tmp && tmp[0] == '/' && fs::is_directory(tmp, ec))
        return tmp;
    return "/tmp";
}

// The running test's name, kept to safe characters, so a left-over folder says whose it was.
std::string TestTag() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string tag = info ? std::string(info->test_suite_name()) + "." + info->name() : "lm7";
    for (char& c : tag)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.')
            c = '_';
    return tag.substr(0, 80);
}

}  // namespace

TempFolder::TempFolder() {
    std::string pattern = BaseFolder() + "/lm7-" + TestTag() + "-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data()))
        throw std::runtime_error("cannot create a temporary folder from " + pattern);
    // Resolved, so paths compare equal to what realpath gives (TMPDIR may be a link).
    m_root = fs::canonical(buffer.data()).string();
}

TempFolder::~TempFolder() {
    std::error_code ec;
    // Tests make folders read-only; give them back their write bit so everything can go.
    fs::permissions(m_root, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it =
             fs::recursive_directory_iterator(m_root, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code ignored;
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(m_root, ec);
}

std::string TempFolder::Path(std::string_view name) const { return m_root + "/" + std::string(name); }

std::string TempFolder::Write(std::string_view name, std::string_view content) const {
    const std::string path = Path(name);
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
    return path;
}

std::vector<std::string> TempFolder::MakeSpecialFiles() const {
    std::vector<std::string> made{Path("pipe"), Path("zero")};
    if (::mkfifo(made[0].c_str(), 0600) != 0)
        throw std::runtime_error("cannot make a named pipe at " + made[0]);
    fs::create_symlink("/dev/zero", made[1]);
    const std::string socketPath = Path("sock");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() < sizeof address.sun_path) {
        socketPath.copy(address.sun_path, socketPath.size());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            made.push_back(socketPath);
        if (fd >= 0)
            ::close(fd);
    }
    return made;
}

std::string TempFolder::Read(std::string_view name) const {
    std::ifstream in(Path(name), std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot read " << Path(name);
        return {};
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempFolder::Exists(std::string_view name) const {
    std::error_code ec;
    return fs::exists(fs::symlink_status(Path(name), ec));
}

std::string TempFolder::MakeFolder(std::string_view name) const {
    const std::string path = Path(name);
    fs::create_directories(path);
    return path;
}

}  // namespace testsupport
