#pragma once
// Retry-or-leave: every statement of a working handler runs through a
// StatementRunner. A failing statement brings up the error prompt; Yes runs
// the same statement again with every value as it stands, No leaves the
// handler at once and keeps whatever was already done.

#include "core/error_prompt.h"
#include "core/failure.h"

#include <utility>

namespace pyramid {

class StatementRunner {
public:
    explicit StatementRunner(ErrorPrompt& prompt) : prompt_(prompt) {}

    // Runs one statement and returns its value. Only Failure is caught: any
    // other exception is a programming fault and must not be retried.
    template <class Statement>
    decltype(auto) operator()(Statement&& statement)
    {
        for (;;) {
            try {
                return statement();
            } catch (const Failure& failure) {
                if (!prompt_.askToContinue(kErrorPromptTitle,
                                           errorPromptMessage(failure.description())))
                    throw Abandoned{};
            }
        }
    }

private:
    // Thrown on No; only runHandler catches it, so it cannot leak anywhere.
    struct Abandoned {};

    template <class Body>
    friend void runHandler(ErrorPrompt& prompt, Body&& body);

    ErrorPrompt& prompt_;
};

// Arms the policy for one run of a handler: `body` receives the runner and
// sends each of its statements through it.
template <class Body>
void runHandler(ErrorPrompt& prompt, Body&& body)
{
    StatementRunner run(prompt);
    try {
        std::forward<Body>(body)(run);
    } catch (const StatementRunner::Abandoned&) {
        // No at the prompt: the rest of the handler is skipped.
    }
}

// A counting loop `for counter = first to last` whose start, test and advance
// are each a statement of their own. Bounds are fixed at the start.
template <class First, class Last, class Body>
void countingLoop(StatementRunner& run, First&& first, Last&& last, Body&& body)
{
    double counter = 0;
    double bound = 0;
    run([&] {
        counter = first();
        bound = last();
    });
    while (run([&] { return counter <= bound; })) {
        body(counter);
        run([&] { counter += 1; });
    }
}

}  // namespace pyramid
