#include "core/error_prompt.h"

namespace pyramid {

std::string errorPromptMessage(std::string_view description)
{
    const std::string lineBreak = "\r\n";
    std::string message(description);
    message += lineBreak;
    message += lineBreak;
    message += kErrorPromptQuestion;
    return message;
}

}  // namespace pyramid
