#pragma once
// The one failure dialog of the program: the description of what went wrong
// and the question whether to deal with it and go on.

#include <string>
#include <string_view>

namespace pyramid {

inline constexpr std::string_view kErrorPromptTitle = "ＶＥＬＫエラー処理システム";
inline constexpr std::string_view kErrorPromptQuestion = "対処し継続しますか？";

// The message box text: description, an empty line, the question.
std::string errorPromptMessage(std::string_view description);

class ErrorPrompt {
public:
    virtual ~ErrorPrompt() = default;
    // Shows the modal question; true when the user answers Yes.
    virtual bool askToContinue(std::string_view title, std::string_view message) = 0;
};

}  // namespace pyramid
