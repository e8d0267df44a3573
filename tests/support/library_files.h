#pragma once
// Files of the data library in samples/ by folder and name: a folder renamed
// is one line here.

#include <string>

namespace pyramid::testing::library {

inline const std::string kNational = "1 全国推移";
inline const std::string kPrefectures = "3 都道府県";
inline const std::string kProjection = "2 将来推計";

inline std::string file(const std::string& folder, const std::string& name)
{
    return std::string(PYRAMID_LIBRARY_DIR) + "/" + folder + "/" + name;
}

}  // namespace pyramid::testing::library
