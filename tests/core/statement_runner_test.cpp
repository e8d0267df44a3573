#include "core/statement_runner.h"
#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

using namespace pyramid;
using pyramid::testing::ScriptedPrompt;

namespace {

// A statement that fails `times` times before it succeeds.
struct FlakyStatement {
    int failuresLeft;
    int attempts = 0;
    void operator()()
    {
        ++attempts;
        if (failuresLeft > 0) {
            --failuresLeft;
            throw Failure(FailureKind::FileNotFound, "ファイル: /tmp/x.txt");
        }
    }
};

}  // namespace

TEST(StatementRunner, YesRetriesTheSameStatementUntilItSucceeds)
{
    ScriptedPrompt prompt;
    prompt.answer({true, true});
    FlakyStatement flaky{2};
    int after = 0;
    runHandler(prompt, [&](StatementRunner& run) {
        run([&] { flaky(); });
        run([&] { ++after; });
    });
    EXPECT_EQ(flaky.attempts, 3);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(prompt.asked.size(), 2u);
}

TEST(StatementRunner, NoLeavesTheHandlerAndKeepsWhatWasDone)
{
    ScriptedPrompt prompt;
    prompt.answer({false});
    std::vector<int> done;
    runHandler(prompt, [&](StatementRunner& run) {
        run([&] { done.push_back(1); });
        run([&] { throw Failure(FailureKind::DivisionByZero); });
        run([&] { done.push_back(3); });
    });
    EXPECT_EQ(done, std::vector<int>{1});
    ASSERT_EQ(prompt.asked.size(), 1u);

    // The handler can be started again at once and runs from its start.
    prompt.answer({true});
    int runs = 0;
    bool failOnce = true;
    runHandler(prompt, [&](StatementRunner& run) {
        run([&] { ++runs; });
        run([&] {
            if (std::exchange(failOnce, false))
                throw Failure(FailureKind::Overflow);
        });
        run([&] { ++runs; });
    });
    EXPECT_EQ(runs, 2);
}

TEST(StatementRunner, MessageIsDescriptionEmptyLineAndQuestion)
{
    ScriptedPrompt prompt;
    runHandler(prompt, [&](StatementRunner& run) {
        run([&] { throw Failure(FailureKind::DivisionByZero); });
    });
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].title, "ＶＥＬＫエラー処理システム");
    EXPECT_EQ(prompt.asked[0].message, "0 で除算しました。\r\n\r\n対処し継続しますか？");
}

TEST(StatementRunner, FailureInALoopIsRetriedForTheSameIteration)
{
    ScriptedPrompt prompt;
    prompt.answer({true});
    std::vector<double> seen;
    bool failed = false;
    runHandler(prompt, [&](StatementRunner& run) {
        countingLoop(run, [] { return 1.0; }, [] { return 4.0; }, [&](double i) {
            run([&] {
                if (i == 3 && !std::exchange(failed, true))
                    throw Failure(FailureKind::SubscriptOutOfRange);
                seen.push_back(i);
            });
        });
    });
    EXPECT_EQ(seen, (std::vector<double>{1, 2, 3, 4}));
}

TEST(StatementRunner, CountingLoopFixesItsBoundsAtTheStart)
{
    ScriptedPrompt prompt;
    double last = 3;
    int iterations = 0;
    runHandler(prompt, [&](StatementRunner& run) {
        countingLoop(run, [] { return 1.0; }, [&] { return last; }, [&](double) {
            ++iterations;
            last = 100;  // changing the bound afterwards does not extend the loop
        });
    });
    EXPECT_EQ(iterations, 3);

    // A half bound: 1 and 2 are at most 2.5, 3 is not.
    iterations = 0;
    runHandler(prompt, [&](StatementRunner& run) {
        countingLoop(run, [] { return 1.0; }, [] { return 2.5; }, [&](double) { ++iterations; });
    });
    EXPECT_EQ(iterations, 2);
    EXPECT_TRUE(prompt.asked.empty());
}

TEST(StatementRunner, OtherExceptionsAreNotSwallowed)
{
    ScriptedPrompt prompt;
    EXPECT_THROW(runHandler(prompt, [&](StatementRunner& run) {
                     run([] { throw std::logic_error("bug"); });
                 }),
                 std::logic_error);
    EXPECT_TRUE(prompt.asked.empty());
}
