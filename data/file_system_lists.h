#pragma once
// What the drive, directory and file lists show, read from the file system.
// Nothing here throws: a place that cannot be read simply lists nothing.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pyramid {

// The volumes the drive list offers, from a mount table in the format of
// /proc/self/mounts: "/" first, then the other mount points by name,
// ignoring ASCII case as the directory and file lists do.
// Pseudo file systems (proc, sysfs, cgroup, devtmpfs, tmpfs, ...) and
// read-only package images (squashfs) are left out, as are mount points that
// are not directories or that this process cannot enter and read.
std::vector<std::string> volumeRootsFromMountTable(std::string_view mountTable);
// The same for the running system's /proc/self/mounts; at least "/".
std::vector<std::string> volumeRoots();

// A directory path as the lists show it: absolute, without "." and "..",
// and ending in "/" only when it is the root itself.
std::string normalDirectoryPath(std::string_view path);

// The root in `roots` that holds `directory`: the longest one that is the
// directory itself or one of its ancestors; "/" when none matches.
std::string volumeHolding(std::string_view directory, const std::vector<std::string>& roots);

// Full paths from `root` down to `directory`, both included. When the
// directory does not lie under the root the trail starts at "/".
std::vector<std::string> directoryTrail(std::string_view root, std::string_view directory);

// Names of the directory's subdirectories and of its regular files
// (symbolic links count as what they point at), without hidden (dot) entries,
// sorted by name ignoring ASCII case.
std::vector<std::string> subdirectoryNames(std::string_view directory);
std::vector<std::string> regularFileNames(std::string_view directory);

// `name` inside `directory`, with exactly one "/" between them.
std::string childPath(std::string_view directory, std::string_view name);

// The directory last visited on each volume during this run, so that coming
// back to a volume lands where the user left it.
class VolumeVisits {
public:
    void remember(const std::string& root, const std::string& directory);
    // The remembered directory of `root` while it still is a directory;
    // otherwise the root itself.
    std::string landingDirectory(const std::string& root) const;

private:
    std::map<std::string, std::string> lastVisited_;
};

}  // namespace pyramid
