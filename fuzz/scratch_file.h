#pragma once
// One scratch file for a whole fuzz run, rewritten for each input and removed
// when the run ends.

#include "fuzz_check.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace pyramid::fuzzing {

inline const std::string& scratchFile()
{
    static const std::string path = [] {
        std::string pattern = "/tmp/pyramid-fuzz-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            fault("cannot make a scratch file");
        ::close(fd);
        std::atexit([] { ::unlink(scratchFile().c_str()); });
        return pattern;
    }();
    return path;
}

// A second scratch file beside the first, for a file compared with it.
inline const std::string& comparedScratchFile()
{
    static const std::string path = [] {
        std::atexit([] { ::unlink(comparedScratchFile().c_str()); });
        return scratchFile() + "-compared";
    }();
    return path;
}

// `path`, one of the scratch files, now holding `bytes`.
inline const std::string& scratchFileHolding(std::string_view bytes, const std::string& path = scratchFile())
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        fault("cannot write the scratch file");
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    return path;
}

}  // namespace pyramid::fuzzing
