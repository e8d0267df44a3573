#pragma once
// An error prompt that answers from a queue and records what it was asked.
// With the queue empty it answers No, so a test can never hang on it.

#include "core/error_prompt.h"

#include <deque>
#include <string>
#include <vector>

namespace pyramid::testing {

class ScriptedPrompt : public ErrorPrompt {
public:
    struct Question {
        std::string title;
        std::string message;
    };

    void answer(std::initializer_list<bool> yesAnswers)
    {
        answers_.insert(answers_.end(), yesAnswers.begin(), yesAnswers.end());
    }

    bool askToContinue(std::string_view title, std::string_view message) override
    {
        asked.push_back({std::string(title), std::string(message)});
        if (answers_.empty())
            return false;
        const bool yes = answers_.front();
        answers_.pop_front();
        return yes;
    }

    std::vector<Question> asked;

private:
    std::deque<bool> answers_;
};

}  // namespace pyramid::testing
