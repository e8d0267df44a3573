// Reading speed of large data files: the load's first pass and the item
// reader alone, over files of counts of 10 and 100 MB. The peak resident size
// is reported with each, and must not grow with the file.
#include "core/failure.h"
#include "data/data_file_reader.h"
#include "data/regional_file_load.h"
#include "support/memory_form.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <sys/resource.h>

using namespace pyramid;

namespace {

// Files of counts, made once per size and removed at exit.
class CountFiles {
public:
    ~CountFiles()
    {
        for (const auto& [size, path] : files_)
            std::filesystem::remove(path);
    }

    const std::string& file(std::int64_t megabytes)
    {
        auto& path = files_[megabytes];
        if (path.empty()) {
            path = (std::filesystem::temp_directory_path() /
                    ("pyramid-bench-" + std::to_string(megabytes) + "mb.txt")).string();
            std::FILE* out = std::fopen(path.c_str(), "wb");
            std::fputs("2020\n377976.41\n", out);
            std::uint64_t state = 88172645463325252u;
            const std::int64_t bytes = megabytes * 1024 * 1024;
            for (std::int64_t written = 0; written < bytes;) {
                state ^= state << 13, state ^= state >> 7, state ^= state << 17;
                written += std::fprintf(out, "%llu\n", static_cast<unsigned long long>(state % 1200000));
            }
            std::fclose(out);
        }
        return path;
    }

private:
    std::map<std::int64_t, std::string> files_;
};

CountFiles files;

double peakMegabytes()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

class AnswerNo : public ErrorPrompt {
public:
    bool askToContinue(std::string_view, std::string_view) override { return false; }
};

// More than 200 classes: the second pass stops at class 201 and the prompt
// answers No, so the time is that of the first pass.
void firstPass(benchmark::State& state)
{
    const std::string& path = files.file(state.range(0));
    pyramid::testing::MemoryForm form;
    form.captions[Label::Label1] = path;
    AnswerNo prompt;
    PopulationData data;
    for (auto _ : state) {
        runHandler(prompt, [&](StatementRunner& run) { loadRegionalFile(run, form, data); });
        benchmark::DoNotOptimize(data.GrandTotal);
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(std::filesystem::file_size(path)));
    state.counters["peak_MB"] = peakMegabytes();
}

void readerAlone(benchmark::State& state)
{
    const std::string& path = files.file(state.range(0));
    DataFileReader reader;
    DataItem item;
    for (auto _ : state) {
        reader.open(path);
        double sum = 0;
        while (!reader.atEnd()) {
            reader.readItem(item);
            double value = 0;
            parseCount(item.text, value);
            sum += value;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(std::filesystem::file_size(path)));
    state.counters["peak_MB"] = peakMegabytes();
}

}  // namespace

BENCHMARK(firstPass)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(readerAlone)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
