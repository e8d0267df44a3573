#pragma once
// Files of the library the program ships (samples/): folder names only here.
#include <string>

namespace pyramid::testing {

inline const std::string kPrefectureFolder = "都道府県";

inline std::string hokkaido2020()
{
    return std::string(PYRAMID_LIBRARY_DIR) + "/" + kPrefectureFolder + "/01 北海道.txt";
}

}  // namespace pyramid::testing
