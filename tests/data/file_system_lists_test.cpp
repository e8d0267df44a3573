// What the navigation lists show, read from the file system: mounted
// volumes, directory paths and trails, subdirectories and files.
#include "data/file_system_lists.h"
#include "temp_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace pyramid;

namespace {

// A scratch tree of directories and files, removed afterwards.
class TempTree : public ::testing::Test {
protected:
    // A locked directory would keep its contents from being removed.
    void TearDown() override
    {
        std::error_code error;
        fs::permissions(scratch.dir() / "locked", fs::perms::owner_all, error);
    }
    std::string dir(const std::string& relative) const
    {
        fs::create_directories(scratch.dir() / relative);
        return scratch.path(relative);
    }
    void file(const std::string& relative) const { scratch.write(relative, "x\n"); }

    pyramid::testing::TempDir scratch;
    const std::string root = scratch.dir().string();
};

using VolumeRoots = TempTree;
using DirectoryContents = TempTree;
using Visits = TempTree;

}  // namespace

TEST_F(VolumeRoots, RootFirstThenRealVolumesByNameWithoutPseudoFileSystems)
{
    const std::string usb = dir("USB STICK");
    const std::string data = dir("data");
    const std::string shm = dir("shm");
    const std::string procLike = dir("proc-like");
    const std::string cgroup = dir("cgroup");
    const std::string snap = dir("snap");
    const std::string table =
        "proc /proc proc rw 0 0\n"
        "tmpfs " + shm + " tmpfs rw 0 0\n"
        "sysfs " + procLike + " sysfs rw 0 0\n"
        "cgroup2 " + cgroup + " cgroup2 rw 0 0\n"
        "/dev/loop3 " + snap + " squashfs ro 0 0\n"
        "/dev/sdb1 " + root + "/USB\\040STICK vfat rw 0 0\n"
        "/dev/sda3 " + data + " ext4 rw 0 0\n"
        "/dev/sda1 / ext4 rw 0 0\n";
    EXPECT_EQ(volumeRootsFromMountTable(table), (std::vector<std::string>{"/", data, usb}));
}

TEST_F(VolumeRoots, SkipsMissingFileAndSystemMountPointsAndListsEachOnce)
{
    const std::string data = dir("data");
    file("resolv.conf");
    const std::string table =
        "/dev/sda3 " + data + " ext4 rw 0 0\n"
        "/dev/sda3 " + data + "/ ext4 rw 0 0\n"              // the same place again
        "/dev/sda4 " + root + "/gone ext4 rw 0 0\n"          // no longer there
        "/dev/sda1 " + root + "/resolv.conf ext4 rw 0 0\n"  // a bind-mounted file
        "/dev/sda1 /dev/shm/x ext4 rw 0 0\n"
        "garbage\n"
        "\n";
    EXPECT_EQ(volumeRootsFromMountTable(table), (std::vector<std::string>{"/", data}));
    EXPECT_EQ(volumeRootsFromMountTable(""), std::vector<std::string>{"/"});
}

TEST(VolumeRootsOfThisSystem, StartWithTheRootAndAreAllDirectories)
{
    const auto roots = volumeRoots();
    ASSERT_FALSE(roots.empty());
    EXPECT_EQ(roots.front(), "/");
    for (const auto& r : roots)
        EXPECT_TRUE(fs::is_directory(r)) << r;
}

TEST(DirectoryPaths, AreAbsoluteAndEndInASeparatorOnlyAtTheRoot)
{
    EXPECT_EQ(normalDirectoryPath("/"), "/");
    EXPECT_EQ(normalDirectoryPath("/a/b/"), "/a/b");
    EXPECT_EQ(normalDirectoryPath("/a/./b/../c"), "/a/c");
    EXPECT_EQ(normalDirectoryPath("/.."), "/");
    EXPECT_EQ(normalDirectoryPath("sub"), (fs::current_path() / "sub").string());

    EXPECT_EQ(childPath("/", "P.TXT"), "/P.TXT");
    EXPECT_EQ(childPath("/data", "P.TXT"), "/data/P.TXT");
}

TEST(DirectoryPaths, BelongToTheDeepestVolumeThatHoldsThem)
{
    const std::vector<std::string> roots{"/", "/home", "/home/u/usb", "/media"};
    EXPECT_EQ(volumeHolding("/home/u/data", roots), "/home");
    EXPECT_EQ(volumeHolding("/home", roots), "/home");
    EXPECT_EQ(volumeHolding("/home/u/usb/x", roots), "/home/u/usb");
    EXPECT_EQ(volumeHolding("/homework", roots), "/");  // a name prefix is not a parent
    EXPECT_EQ(volumeHolding("/etc", roots), "/");
}

TEST(DirectoryPaths, TrailRunsFromTheVolumeRootDownToTheDirectory)
{
    EXPECT_EQ(directoryTrail("/home", "/home/u/data"),
              (std::vector<std::string>{"/home", "/home/u", "/home/u/data"}));
    EXPECT_EQ(directoryTrail("/", "/"), std::vector<std::string>{"/"});
    EXPECT_EQ(directoryTrail("/", "/etc/"), (std::vector<std::string>{"/", "/etc"}));
    EXPECT_EQ(directoryTrail("/home", "/home"), std::vector<std::string>{"/home"});
    // Outside its volume a directory is reached from the root.
    EXPECT_EQ(directoryTrail("/home", "/srv/x"), (std::vector<std::string>{"/", "/srv", "/srv/x"}));
}

TEST_F(DirectoryContents, SubdirectoriesAndFilesAreSortedWithoutDotEntries)
{
    dir("beta");
    dir("Alpha");
    dir(".cache");
    dir("gamma");
    file("c.txt");
    file("B.txt");
    file("a.TXT");
    file(".profile");
    file("2020 全国（110歳以上まで）.txt");
    file("2020 全国.txt");
    fs::create_directory_symlink(root + "/gamma", root + "/link-to-dir");
    fs::create_symlink(root + "/c.txt", root + "/link-to-file");
    fs::create_symlink(root + "/nowhere", root + "/dangling");

    EXPECT_EQ(subdirectoryNames(root), (std::vector<std::string>{"Alpha", "beta", "gamma", "link-to-dir"}));
    EXPECT_EQ(regularFileNames(root), (std::vector<std::string>{"2020 全国.txt", "2020 全国（110歳以上まで）.txt", "a.TXT",
                                                        "B.txt", "c.txt", "link-to-file"}));
}

TEST_F(DirectoryContents, NamesDifferingOnlyInCaseKeepAFixedOrder)
{
    file("b.txt");
    file("B.txt");
    file("a.txt");
    EXPECT_EQ(regularFileNames(root), (std::vector<std::string>{"a.txt", "B.txt", "b.txt"}));
}

TEST_F(DirectoryContents, PlacesThatAreNotDirectoriesShowNothing)
{
    file("plain.txt");
    EXPECT_TRUE(subdirectoryNames(root + "/missing").empty());
    EXPECT_TRUE(regularFileNames(root + "/missing").empty());
    EXPECT_TRUE(regularFileNames(root + "/plain.txt").empty());
}

TEST_F(DirectoryContents, UnreadableDirectoriesShowNothing)
{
    const std::string locked = dir("locked");
    file("locked/inside.txt");
    fs::permissions(locked, fs::perms::none);
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every directory";
    EXPECT_TRUE(regularFileNames(locked).empty());
    EXPECT_TRUE(subdirectoryNames(locked).empty());
}

TEST_F(Visits, ComingBackToAVolumeLandsWhereTheUserLeftIt)
{
    const std::string deep = dir("deep/er");
    VolumeVisits visits;
    EXPECT_EQ(visits.landingDirectory(root), root);
    visits.remember(root, deep);
    visits.remember("/", "/etc");
    EXPECT_EQ(visits.landingDirectory(root), deep);

    fs::remove_all(deep);
    EXPECT_EQ(visits.landingDirectory(root), root);
}
