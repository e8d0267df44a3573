#include "data/data_file_in_memory.h"

#include "core/failure.h"
#include "data/data_file_writer.h"

#include <cerrno>
#include <sys/mman.h>
#include <unistd.h>

namespace pyramid {

namespace {

[[noreturn]] void noMemoryFile(int fd)
{
    if (fd >= 0)
        ::close(fd);
    throw Failure(FailureKind::FileAccess, "メモリが足りないため、地域のデータを用意できません。");
}

}  // namespace

DataFileInMemory::DataFileInMemory(std::string_view text)
{
    // A memory file, not a temporary one: it lives only as long as this
    // object and never reaches a disk.
    const int fd = ::memfd_create("jinko-pyramid-region", MFD_CLOEXEC);
    if (fd < 0)
        noMemoryFile(fd);
    if (writeWhole(fd, text) != 0)
        noMemoryFile(fd);
    fd_ = fd;
    // Opening it by this path gives a description of its own, at offset 0.
    path_ = "/proc/self/fd/" + std::to_string(fd);
}

DataFileInMemory::~DataFileInMemory()
{
    if (fd_ >= 0)
        ::close(fd_);
}

DataFileInMemory::DataFileInMemory(DataFileInMemory&& other) noexcept
    : fd_(other.fd_), path_(std::move(other.path_))
{
    other.fd_ = -1;
}

}  // namespace pyramid
