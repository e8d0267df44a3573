#pragma once
// A data file's text held in memory, opened by the data file reader as it
// opens a file on disk: a region chosen from a census table is read by the
// same two passes as a file of the library, and nothing is written to disk.

#include <string>
#include <string_view>

namespace pyramid {

class DataFileInMemory {
public:
    // Fails with FileAccess when the system gives no memory file.
    explicit DataFileInMemory(std::string_view text);
    ~DataFileInMemory();
    DataFileInMemory(DataFileInMemory&& other) noexcept;
    DataFileInMemory& operator=(DataFileInMemory&&) = delete;
    DataFileInMemory(const DataFileInMemory&) = delete;
    DataFileInMemory& operator=(const DataFileInMemory&) = delete;

    // The path the reader opens; each opening starts at the first byte.
    const std::string& path() const { return path_; }

private:
    int fd_ = -1;
    std::string path_;
};

}  // namespace pyramid
