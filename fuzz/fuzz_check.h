#pragma once
// What the fuzzers check: a broken promise ends the run at once, named after
// the fuzzer, so that libFuzzer keeps the input that broke it.

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace pyramid::fuzzing {

[[noreturn]] inline void fault(const char* what)
{
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, what);
    std::abort();
}

inline void check(bool condition, const char* what)
{
    if (!condition)
        fault(what);
}

}  // namespace pyramid::fuzzing
