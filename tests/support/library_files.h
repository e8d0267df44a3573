#pragma once
// Files of the data library in samples/ by folder and name: a folder renamed
// is one line here.

#include <string>

namespace pyramid::testing::library {

inline const std::string kNational = "全国の推移";
inline const std::string kPrefectures = "都道府県";
inline const std::string kProjection = "将来推計";

inline std::string file(const std::string& folder, const std::string& name)
{
    return std::string(PYRAMID_LIBRARY_DIR) + "/" + folder + "/" + name;
}

}  // namespace pyramid::testing::library
