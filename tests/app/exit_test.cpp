// Ending the program: the exit command and the window's close box end the
// running event loop, as they end the program.

#include "app/main_window.h"
#include "support/scripted_prompt.h"
#include "window_test_support.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace pyramid;
using namespace pyramid::testing;
using pyramid::ui::MainWindow;

namespace {

// Runs the application's event loop with `action` as its first event;
// gives the loop's result, or -1 when it did not end within five seconds.
int runUntilEnd(std::function<void()> action)
{
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    giveUp.start(5000);
    QTimer::singleShot(0, action);
    return QCoreApplication::exec();
}

}  // namespace

class ExitTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        prompt = ScriptedPrompt();
        window = startedWindow(&prompt);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    void theExitCommandClosesTheWindowAndEndsTheProgram()
    {
        auto* exit = control<QPushButton>(*window, "Command2");
        QCOMPARE(runUntilEnd([exit] { QTest::mouseClick(exit, Qt::LeftButton); }), 0);
        QVERIFY(!window->isVisible());
        QVERIFY(prompt.asked.empty());  // no question asked
    }

    void theExitCommandWorksInTheMiddleOfAnAnalysis()
    {
        window->controls().focusAgeBox(0);
        QTest::keyClicks(QApplication::focusWidget(), "20");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        window->controls().setVisible(Button::Command3, true);
        auto* exit = control<QPushButton>(*window, "Command2");
        QCOMPARE(runUntilEnd([exit] { QTest::mouseClick(exit, Qt::LeftButton); }), 0);
        QVERIFY(!window->isVisible());
    }

    void theCloseBoxEndsTheProgramLikeTheExitCommand()
    {
        QWindow* frame = window->windowHandle();
        // What the window manager sends when the close box is pressed.
        QCOMPARE(runUntilEnd([frame] {
                     QCloseEvent close;
                     QApplication::sendEvent(frame, &close);
                 }),
                 0);
        QVERIFY(!window->isVisible());
    }

private:
    ScriptedPrompt prompt;
    std::unique_ptr<MainWindow> window;
};

QTEST_MAIN(ExitTest)
#include "exit_test.moc"
