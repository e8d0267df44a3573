#pragma once
// Files of the library the program ships (samples/), by folder and name:
// the folder names are written here only.

#include <string>

namespace pyramid::testing {

inline const std::string kPrefectureFolder = "都道府県";

// The 2020 census file of Hokkaido, the library file the worksheet tests use.
inline std::string hokkaido2020()
{
    return std::string(PYRAMID_LIBRARY_DIR) + "/" + kPrefectureFolder + "/01 北海道.txt";
}

}  // namespace pyramid::testing
