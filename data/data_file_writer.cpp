#include "data/data_file_writer.h"

#include "core/error_prompt.h"
#include "core/failure.h"
#include "data/text_encoding.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pyramid {

namespace {

std::string reason(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return "ディスクに空きがありません";
    case EACCES:
    case EPERM:
    case EROFS:
        return "このフォルダには書き込めません";
    case EISDIR:
        return "同じ名前のフォルダがあります";
    case ENOENT:
    case ENOTDIR:
        return "保存先のフォルダがありません";
    default:
        return std::strerror(error);
    }
}

[[noreturn]] void failToWrite(int error, const std::string& path)
{
    const FailureKind kind = error == ENOENT || error == ENOTDIR ? FailureKind::FileNotFound : FailureKind::FileAccess;
    throw Failure(kind, "ファイルを保存できません: " + pathForPrompt(decodePathText(path)) + "（" + reason(error) + "）");
}

}  // namespace

int writeWhole(int fd, std::string_view text) noexcept
{
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

void writeDataFile(const std::string& path, std::string_view text)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        failToWrite(EISDIR, path);
    // Written beside the target under another name, then put in its place.
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        failToWrite(errno, path);
    const auto give_up = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        failToWrite(error, path);
    };
    if (const int error = writeWhole(fd, text))
        give_up(error);
    // An ordinary file the user can read and hand on, not mkstemp's 0600.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd, 0666 & ~mask) != 0 || ::fsync(fd) != 0)
        give_up(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        failToWrite(error, path);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        failToWrite(error, path);
    }
}

}  // namespace pyramid
