#pragma once
// One scratch file for a whole fuzz run, rewritten for each input and removed
// when the run ends.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace pyramid::fuzzing {

inline const std::string& scratchFile()
{
    static const std::string path = [] {
        std::string pattern = "/tmp/pyramid-fuzz-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) {
            std::fprintf(stderr, "fuzzer: cannot make a scratch file\n");
            std::abort();
        }
        ::close(fd);
        std::atexit([] { ::unlink(scratchFile().c_str()); });
        return pattern;
    }();
    return path;
}

}  // namespace pyramid::fuzzing
