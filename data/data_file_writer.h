#pragma once
// Writes a data file the user asked to save: the only file the program writes.

#include <string>
#include <string_view>

namespace pyramid {

// Writes `text` to `path` exactly, replacing a file already there only once
// the whole text is written, so a failed save never leaves half a file.
// Fails with FileAccess (or FileNotFound for a folder that is not there)
// and a detail in the user's words.
void writeDataFile(const std::string& path, std::string_view text);

// Writes all of `text` to the open `fd`, again after an interruption:
// 0 once written, or the error that stopped it (ENOSPC for a device that
// took nothing more).
int writeWhole(int fd, std::string_view text) noexcept;

}  // namespace pyramid
