#include "data/file_system_lists.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace pyramid {

namespace {

// Kernel and service file systems that hold no user files, and read-only
// package images. What is left are disks, partitions, removable media and
// network shares: the places a user keeps data files.
bool isPseudoFileSystem(std::string_view type)
{
    static const std::set<std::string_view> pseudo = {
        "autofs",     "binfmt_misc", "bpf",       "cgroup",     "cgroup2",  "configfs",
        "debugfs",    "devpts",      "devtmpfs",  "efivarfs",   "fusectl",  "hugetlbfs",
        "mqueue",     "nsfs",        "overlay",   "proc",       "pstore",   "ramfs",
        "rpc_pipefs", "securityfs",  "selinuxfs", "squashfs",   "sysfs",    "tmpfs",
        "tracefs",    "nfsd",        "fuse.portal", "fuse.gvfsd-fuse", "fuse.lxcfs",
        "fuse.snapfuse",
    };
    return pseudo.count(type) > 0;
}

bool isUnder(std::string_view path, std::string_view root)
{
    if (root == "/")
        return !path.empty() && path.front() == '/';
    if (path == root)
        return true;
    return path.size() > root.size() && path.substr(0, root.size()) == root && path[root.size()] == '/';
}

// Mount points are written with octal escapes for blanks, tabs, new lines
// and backslashes ("/media/USB\040STICK").
std::string unescapeMountPoint(std::string_view field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string_view digits = field.substr(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
                out += char((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0'));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool isReadableDirectory(const std::string& path)
{
    std::error_code error;
    return fs::is_directory(path, error) && ::access(path.c_str(), R_OK | X_OK) == 0;
}

// Bytes compare unsigned, so names in Japanese (bytes from 0x80 up) sort
// after ASCII at the same place; only ASCII letters fold their case.
bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    const auto lower = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
    };
    const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char x, char y) { return lower(x) == lower(y); });
    if (mismatch.first == a.end() || mismatch.second == b.end()) {
        if (a.size() != b.size())
            return a.size() < b.size();
        return a < b;  // same letters: a fixed order for names differing only in case
    }
    return lower(*mismatch.first) < lower(*mismatch.second);
}

template <class Keep>
std::vector<std::string> entryNames(std::string_view directory, Keep keep)
{
    std::vector<std::string> names;
    try {
        std::error_code error;
        fs::directory_iterator it(fs::path(directory), fs::directory_options::skip_permission_denied, error);
        for (; !error && it != fs::directory_iterator(); it.increment(error)) {
            const std::string name = it->path().filename().string();
            if (name.empty() || name.front() == '.')
                continue;
            if (keep(*it))
                names.push_back(name);
        }
    } catch (...) {
        // A directory that vanishes or cannot be read while listed shows
        // what was read so far.
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

}  // namespace

std::vector<std::string> volumeRootsFromMountTable(std::string_view mountTable)
{
    std::vector<std::string> others;
    std::istringstream lines{std::string(mountTable)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string source, mountPoint, type;
        if (!(fields >> source >> mountPoint >> type))
            continue;
        mountPoint = unescapeMountPoint(mountPoint);
        if (mountPoint == "/" || mountPoint.empty() || mountPoint.front() != '/' || isPseudoFileSystem(type))
            continue;
        if (isUnder(mountPoint, "/proc") || isUnder(mountPoint, "/sys") || isUnder(mountPoint, "/dev"))
            continue;
        if (isReadableDirectory(mountPoint))
            others.push_back(normalDirectoryPath(mountPoint));
    }
    std::sort(others.begin(), others.end(), lessIgnoringCase);
    others.erase(std::unique(others.begin(), others.end()), others.end());
    std::vector<std::string> roots{"/"};
    std::copy_if(others.begin(), others.end(), std::back_inserter(roots),
                 [](const std::string& root) { return root != "/"; });
    return roots;
}

std::vector<std::string> volumeRoots()
{
    std::ifstream file("/proc/self/mounts");
    std::ostringstream text;
    text << file.rdbuf();
    return volumeRootsFromMountTable(text.str());
}

std::string normalDirectoryPath(std::string_view path)
{
    fs::path p{std::string(path)};
    if (p.is_relative()) {
        std::error_code error;
        const fs::path here = fs::current_path(error);
        p = (error ? fs::path("/") : here) / p;
    }
    std::string normal = p.lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    return normal.empty() ? "/" : normal;
}

std::string volumeHolding(std::string_view directory, const std::vector<std::string>& roots)
{
    const std::string dir = normalDirectoryPath(directory);
    std::string best = "/";
    for (const std::string& root : roots) {
        if (root.size() > best.size() && isUnder(dir, root))
            best = root;
    }
    return best;
}

std::vector<std::string> directoryTrail(std::string_view root, std::string_view directory)
{
    const std::string dir = normalDirectoryPath(directory);
    std::string current = normalDirectoryPath(root);
    if (!isUnder(dir, current))
        current = "/";
    std::vector<std::string> trail{current};
    const fs::path rest = fs::path(dir).lexically_relative(current);
    for (const fs::path& part : rest) {
        if (part.empty() || part == ".")
            continue;
        current = childPath(current, part.string());
        trail.push_back(current);
    }
    return trail;
}

std::vector<std::string> subdirectoryNames(std::string_view directory)
{
    return entryNames(directory, [](const fs::directory_entry& entry) {
        std::error_code error;
        return entry.is_directory(error);
    });
}

std::vector<std::string> regularFileNames(std::string_view directory)
{
    return entryNames(directory, [](const fs::directory_entry& entry) {
        std::error_code error;
        return entry.is_regular_file(error);
    });
}

std::string childPath(std::string_view directory, std::string_view name)
{
    std::string path(directory);
    if (path.empty() || path.back() != '/')
        path += '/';
    return path + std::string(name);
}

void VolumeVisits::remember(const std::string& root, const std::string& directory)
{
    lastVisited_[root] = directory;
}

std::string VolumeVisits::landingDirectory(const std::string& root) const
{
    const auto it = lastVisited_.find(root);
    std::error_code error;
    if (it != lastVisited_.end() && fs::is_directory(it->second, error))
        return it->second;
    return root;
}

}  // namespace pyramid
