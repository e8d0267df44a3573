#pragma once
// A reported range carried from one file of a folder to the next: the same
// ages again, or the same generation, whose ages grow with the years.

#include <string>

namespace pyramid {

// The range as the two age boxes held it for the last whole report, with
// the years of birth those ages stood for in that file.
struct FollowedRange {
    std::string fromText;
    std::string toText;
    double fromBirth = 0;
    double toBirth = 0;
};

// The range of the boxes' texts in a file of `TitleYear`.
FollowedRange followedRange(const std::string& fromText, const std::string& toText, const std::string& TitleYear);

// The ages a generation has in a file of `TitleYear` with `ClassCount`
// classes, clipped to its first and last class and written as the age boxes
// take them; or, when none of it is in the file, the one line that says so.
struct GenerationAges {
    std::string fromText;
    std::string toText;
    std::string absent;  // empty when the generation is in the file
};
GenerationAges generationAges(const FollowedRange& range, const std::string& TitleYear, double ClassCount);

}  // namespace pyramid
