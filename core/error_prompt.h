#pragma once
// The one failure dialog of the program: the description of what went wrong
// and the question whether to deal with it and go on.

#include <cstddef>
#include <string>
#include <string_view>

namespace pyramid {

inline constexpr std::string_view kErrorPromptTitle = "ＶＥＬＫエラー処理システム";
inline constexpr std::string_view kErrorPromptQuestion = "対処し継続しますか？";

// The message box text: description, an empty line, the question.
std::string errorPromptMessage(std::string_view description);

// How many characters of a piece of a data file a description quotes.
inline constexpr std::size_t kQuotedChars = 40;

// A piece of a data file as a description quotes it, so that the prompt stays
// readable whatever the file holds: control characters as their visible
// pictures (NUL as U+2400, tab as U+2409, DEL as U+2421, ...), other
// characters that break or turn the line (C1 controls, bidirectional
// controls, line and paragraph separators) as U+FFFD, and anything past
// kQuotedChars characters cut off with an ellipsis. `utf8` is valid UTF-8;
// `alreadyCut` adds the ellipsis for a text that was cut before.
std::string quotedForPrompt(std::string_view utf8, bool alreadyCut = false);

// How many characters of a path a description shows.
inline constexpr std::size_t kQuotedPathChars = 60;

// A path (valid UTF-8) as a description shows it: as quotedForPrompt, but a
// long one keeps its last kQuotedPathChars characters after an ellipsis, so
// the file's own name stays in view.
std::string pathForPrompt(std::string_view utf8);

class ErrorPrompt {
public:
    virtual ~ErrorPrompt() = default;
    // Shows the modal question; true when the user answers Yes.
    virtual bool askToContinue(std::string_view title, std::string_view message) = 0;
};

}  // namespace pyramid
