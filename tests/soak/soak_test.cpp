// A long session on the real window: draw, analysis set-up and report again
// and again, with failures answered Yes and No in between. Open file
// descriptors and the heap in use must stay flat.
#include "app/main_window.h"
#include "core/form_controls.h"
#include "support/scripted_prompt.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <dirent.h>
#include <malloc.h>

#include <string>

using namespace pyramid;
using pyramid::testing::ScriptedPrompt;

namespace {

int openDescriptors()
{
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir) != nullptr)
            ++count;
        closedir(dir);
    }
    return count;
}

std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT

private:
    ScriptedPrompt prompt;
    std::size_t questions = 0;
    ui::MainWindow* window = nullptr;

    template <class T>
    T* find(const char* name) { return window->findChild<T*>(name); }

    void chooseSample(const char* fileName)
    {
        window->controls().setDirPath(PYRAMID_SAMPLES_DIR);
        auto* files = find<QListWidget>("File1");
        const auto items = files->findItems(fileName, Qt::MatchExactly);
        QVERIFY(!items.isEmpty());
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(items[0]).center());
    }

    void report(const char* from, const char* to)
    {
        find<QPushButton>("Command3")->click();
        auto* first = find<QLineEdit>("Text1(0)");
        auto* second = find<QLineEdit>("Text1(1)");
        QTest::keyClicks(first, from);
        QTest::keyClick(first, Qt::Key_Return);
        QTest::keyClicks(second, to);
        QTest::keyClick(second, Qt::Key_Return);
    }

    // One cycle of use; every tenth brings failures answered Yes and No.
    void cycle(int n)
    {
        find<QPushButton>("Command1")->click();
        report("20", "40");
        if (n % 10 == 0) {
            prompt.answer({true, false});  // the slot past the tables fails twice
            report("150", "250");
            // The user deletes the failed range, or the next set-up would
            // repaint it and fail at the same slot again.
            find<QLineEdit>("Text1(0)")->clear();
            find<QLineEdit>("Text1(1)")->clear();
            window->controls().setCaption(Label::Label1, "/nonexistent/data.txt");
            find<QPushButton>("Command1")->click();  // no file: answered No
            chooseSample(n % 20 == 0 ? "tokyo-2020.txt" : "japan-2020.txt");
            // Count the questions but keep the test's own record from growing.
            questions += prompt.asked.size();
            prompt.asked.clear();
        }
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        window = new ui::MainWindow(&prompt);
        window->load();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        chooseSample("japan-2020.txt");
    }

    void cleanupTestCase() { delete window; }

    void descriptorsAndHeapStayFlat()
    {
        constexpr int kCycles = 1000;
        constexpr int kWarmUp = 50;
        for (int n = 1; n <= kWarmUp; ++n)
            cycle(n);
        const int descriptors = openDescriptors();
        const std::size_t heap = heapInUse();
        const std::size_t asked = questions;

        for (int n = kWarmUp + 1; n <= kCycles; ++n) {
            cycle(n);
        }

        // Failures really happened: two for the range and one for the file per tenth cycle.
        QCOMPARE(questions - asked, std::size_t((kCycles - kWarmUp) / 10 * 3));
        QCOMPARE(openDescriptors(), descriptors);
        const long long growth = (long long)heapInUse() - (long long)heap;
        qInfo("heap in use: %zu bytes after warm-up, growth %lld bytes over %d cycles", heap, growth,
              kCycles - kWarmUp);
        QVERIFY2(growth < 64 * 1024, qPrintable(QString("heap grew by %1 bytes").arg(growth)));

        // After all that, one more ordinary cycle still gives a complete
        // report of the file chosen last (Tokyo, total from its sources).
        cycle(kCycles + 1);
        QCOMPARE(window->controls().caption(Label::Label10), std::string("20歳(2000)から"));
        QCOMPARE(window->controls().resultCaption(6), std::string("総人口　=13618855"));
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
