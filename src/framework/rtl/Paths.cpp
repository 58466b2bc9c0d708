#include "framework/rtl/Paths.h"

#include "framework/platform/Platform.h"

#include <vector>

namespace framework {
namespace {

std::size_t LastDelim(std::string_view s) { return s.rfind(PathDelim); }

// The position of the extension's dot, or npos.
std::size_t ExtensionDot(std::string_view s) {
    const std::size_t dot = s.find_last_of(".");
    const std::size_t delim = LastDelim(s);
    if (dot == std::string_view::npos || (delim != std::string_view::npos && dot < delim))
        return std::string_view::npos;
    return dot;
}

// Cuts the first folder of a minimized folder part: "/a/b/" gives "/.../b/", "/.../b/" gives
// "/.../", and ".../" gives "".
std::string CutFirstDirectory(std::string s) {
    if (s == "/")
        return "";
    const bool root = !s.empty() && s[0] == PathDelim;
    if (root)
        s.erase(0, 1);
    // Drop an earlier "..." marker; only the marker itself, so a folder named ".config" is
    // not mistaken for one.
    if (s.rfind(".../", 0) == 0)
        s.erase(0, 4);
    const std::size_t delim = s.find(PathDelim);
    if (delim == std::string::npos)
        s.clear();
    else
        s = ".../" + s.substr(delim + 1);
    if (root)
        s.insert(s.begin(), PathDelim);
    return s;
}

}  // namespace

std::string IncludeTrailingPathDelimiter(std::string_view S) {
    std::string out(S);
    if (out.empty() || out.back() != PathDelim)
        out += PathDelim;
    return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view S) {
    std::string out(S);
    if (out.size() > 1 && out.back() == PathDelim)
        out.pop_back();
    return out;
}

std::string ExtractFilePath(std::string_view FileName) {
    const std::size_t delim = LastDelim(FileName);
    return delim == std::string_view::npos ? std::string() : std::string(FileName.substr(0, delim + 1));
}

std::string ExtractFileDir(std::string_view FileName) {
    std::size_t delim = LastDelim(FileName);
    if (delim == std::string_view::npos)
        return std::string();
    // Keep the delimiter when it is the root or follows another one.
    if (delim > 0 && FileName[delim - 1] != PathDelim)
        return std::string(FileName.substr(0, delim));
    return std::string(FileName.substr(0, delim + 1));
}

std::string ExtractFileName(std::string_view FileName) {
    const std::size_t delim = LastDelim(FileName);
    return std::string(delim == std::string_view::npos ? FileName : FileName.substr(delim + 1));
}

std::string ExtractFileExt(std::string_view FileName) {
    const std::size_t dot = ExtensionDot(FileName);
    return dot == std::string_view::npos ? std::string() : std::string(FileName.substr(dot));
}

std::string ChangeFileExt(std::string_view FileName, std::string_view Extension) {
    const std::size_t dot = ExtensionDot(FileName);
    std::string out(dot == std::string_view::npos ? FileName : FileName.substr(0, dot));
    out += Extension;
    return out;
}

std::string ExpandFileName(std::string_view FileName) {
    if (FileName.empty())
        return std::string();
    std::string full;
    if (FileName[0] != PathDelim)
        full = IncludeTrailingPathDelimiter(platform::Platform().CurrentDirectory());
    full += FileName;
    std::vector<std::string_view> parts;
    const std::string_view view(full);
    for (std::size_t pos = 0; pos <= view.size();) {
        std::size_t next = view.find(PathDelim, pos);
        if (next == std::string_view::npos)
            next = view.size();
        const std::string_view part = view.substr(pos, next - pos);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        pos = next + 1;
    }
    std::string out;
    for (std::string_view part : parts) {
        out += PathDelim;
        out += part;
    }
    if (out.empty() || FileName.back() == PathDelim)
        out += PathDelim;
    return out;
}

std::string ExtractFileDrive(std::string_view FileName) {
    return FileName.empty() ? std::string() : ExtractFileDrive(FileName, platform::Platform().Mounts());
}

std::string ExtractFileDrive(std::string_view FileName, const std::vector<platform::MountEntry>& Mounts) {
    if (FileName.empty())
        return std::string();
    const std::string path = ExpandFileName(FileName);
    std::string best = "/";
    for (const platform::MountEntry& mount : Mounts) {
        const std::string root = IncludeTrailingPathDelimiter(mount.MountPoint);
        const bool holds = path.rfind(root, 0) == 0 || path == mount.MountPoint;
        if (holds && root.size() >= best.size())
            best = root;
    }
    return best;
}

std::string MinimizeName(std::string_view FileName, const std::function<int(const std::string&)>& TextWidth,
                         int MaxLen) {
    std::string result(FileName);
    std::string dir = ExtractFilePath(FileName);
    const std::string name = ExtractFileName(FileName);
    while (!dir.empty() && TextWidth(result) > MaxLen) {
        if (dir == "/.../")
            dir = ".../";
        else
            dir = CutFirstDirectory(dir);
        result = dir + name;
    }
    return result;
}

}  // namespace framework
