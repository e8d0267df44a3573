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

// A scratch folder of three files named 1, 2 and 3, for stepping through;
// emptied and removed when the run ends.
inline const std::string& scratchFolder()
{
    // Never destroyed, so the clean-up at exit can still name it.
    static const std::string* folder = [] {
        std::string pattern = "/tmp/pyramid-fuzz-folder-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            fault("cannot make a scratch folder");
        std::atexit([] {
            for (const char* name : {"/1", "/2", "/3"})
                ::unlink((scratchFolder() + name).c_str());
            ::rmdir(scratchFolder().c_str());
        });
        return new std::string(pattern);
    }();
    return *folder;
}

// The scratch folder, its three files now holding `files`.
inline const std::string& scratchFolderHolding(const std::string_view (&files)[3])
{
    for (int k = 0; k < 3; ++k)
        scratchFileHolding(files[k], scratchFolder() + "/" + std::to_string(k + 1));
    return scratchFolder();
}

}  // namespace pyramid::fuzzing
