// Speed of the real window, offscreen: the draw command on a file of 200
// age classes, a report over ages 0 to 199, and start-up to the first frame,
// both warm (another window in the same process) and cold (a fresh process
// through main()'s own start-up function).

#include "app/chart_widget.h"
#include "app/folder_actions.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "app/worksheet_actions.h"
#include "core/error_prompt.h"
#include "first_frame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QPrinter>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace pyramid;
using pyramid::ui::MainWindow;

namespace {

// Counts every question and answers No, so a failure shows in the results
// instead of stopping the run.
class CountingPrompt : public ErrorPrompt {
public:
    int asked = 0;
    bool askToContinue(std::string_view, std::string_view) override
    {
        ++asked;
        return false;
    }
};

// A data file of 200 age classes, the most the tables hold, made once.
const std::string& fileOf200Classes()
{
    static const std::string path = [] {
        const std::string name = (std::filesystem::temp_directory_path() / "pyramid-bench-200.txt").string();
        std::ofstream out(name);
        out << "2020\n377976.41\n";
        for (int sex = 0; sex < 2; ++sex)
            for (int age = 0; age < 200; ++age)
                out << std::lround(1000000.0 * std::exp(-std::pow(age / 85.0, 4)) + 7919 * ((age + sex) % 13)) << '\n';
        return name;
    }();
    return path;
}

struct RemoveFileAtExit {
    ~RemoveFileAtExit() { std::filesystem::remove(std::filesystem::temp_directory_path() / "pyramid-bench-200.txt"); }
} removeFileAtExit;

// A shown window with the 200-class file chosen.
struct ShownWindow {
    CountingPrompt prompt;
    MainWindow window{&prompt};
    QPushButton* draw = window.findChild<QPushButton*>("Command1");

    ShownWindow()
    {
        window.load();
        window.show();
        QApplication::processEvents();
        window.controls().setCaption(Label::Label1, fileOf200Classes());
        window.controls().setVisible(Button::Command1, true);
    }
};

void pressEnter(QWidget* box)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(box, &release);
}

// The draw command: clear, both passes over the file, axes, grid, 600 bars.
void loadAndDraw(benchmark::State& state)
{
    ShownWindow shown;
    for (auto _ : state)
        shown.draw->click();
    if (shown.prompt.asked != 0)
        state.SkipWithError("the draw failed");
}

// The same, and the chart widget repainted on the window at once.
void loadDrawAndRepaint(benchmark::State& state)
{
    ShownWindow shown;
    QWidget* picture = shown.window.findChild<QWidget*>("Picture1");
    for (auto _ : state) {
        shown.draw->click();
        picture->repaint();
    }
    if (shown.prompt.asked != 0)
        state.SkipWithError("the draw failed");
}

// Enter in the second age box with 0 and 199 standing in the two boxes:
// sums, highlight of 200 rows, two range lines and eight result lines.
void reportOverAllAges(benchmark::State& state)
{
    ShownWindow shown;
    shown.draw->click();
    auto* to = shown.window.findChild<QLineEdit*>("Text1(1)");
    shown.window.controls().setAgeText(0, "0");
    shown.window.controls().setAgeText(1, "199");
    std::int64_t sinceDraw = 0;
    for (auto _ : state) {
        pressEnter(to);
        // Every highlight stays on the chart until the next draw; redraw now
        // and then so the run does not pile up lines no user would.
        if (++sinceDraw == 500) {
            state.PauseTiming();
            shown.draw->click();
            sinceDraw = 0;
            state.ResumeTiming();
        }
    }
    if (shown.prompt.asked != 0)
        state.SkipWithError("the report failed");
}

// A shown window with the 200-class file drawn and ages 0 to 199 reported.
struct ReportedWindow : ShownWindow {
    ReportedWindow()
    {
        draw->click();
        window.controls().setAgeText(0, "0");
        window.controls().setAgeText(1, "199");
        pressEnter(window.findChild<QLineEdit*>("Text1(1)"));
    }
};

// Ctrl+C after a report: the chart replayed into its picture and made PNG,
// the figures composed, all onto the clipboard as one item.
void copyChartAndFigures(benchmark::State& state)
{
    ReportedWindow shown;
    for (auto _ : state)
        shown.window.worksheet().copy();
    if (shown.prompt.asked != 0)
        state.SkipWithError("the report failed");
}

// The printed page composed onto an A4 PDF at the printer's resolution and
// written out.
void composePrintedPage(benchmark::State& state)
{
    ReportedWindow shown;
    const std::string pdf = (std::filesystem::temp_directory_path() / "pyramid-bench-page.pdf").string();
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        if (!shown.window.worksheet().printTo(printer))
            state.SkipWithError("the page was not printed");
    }
    std::filesystem::remove(pdf);
}

// Japan in 2020 drawn (101 classes) and 1935 laid over it, in persons or
// in shares: the read of the second file, the chart again at the common
// scale, the outline and the legend into the chart's image.
const std::string kNational = std::string(PYRAMID_LIBRARY_DIR) + "/1 全国推移/";

// A shown window with Japan in 2020 drawn.
struct Japan2020 : ShownWindow {
    Japan2020()
    {
        window.controls().setCaption(Label::Label1, kNational + "2020 全国.txt");
        draw->click();
    }
};

void compareOverADrawnPyramid(benchmark::State& state)
{
    Japan2020 shown;
    const CompareBy by = state.range(0) == 0 ? CompareBy::Persons : CompareBy::Shares;
    for (auto _ : state)
        shown.window.handlers().compareWith(kNational + "1935 全国.txt", by);
    if (shown.prompt.asked != 0 || !shown.window.handlers().comparing())
        state.SkipWithError("the comparison failed");
}

// The tooltip's reading of the row under the mouse while comparing: the
// row found, then its two lines of text.
void rowUnderTheMouse(benchmark::State& state)
{
    Japan2020 shown;
    shown.window.handlers().compareWith(kNational + "1935 全国.txt", CompareBy::Persons);
    double y = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(shown.window.handlers().rowTip(300, 18 + y));
        y = y >= 400 ? 0 : y + 3.7;
    }
}

// One step through Japan's censuses (15 files) with ages 20 to 40 reported:
// File1's next or previous entry chosen, the file read, drawn on the
// folder's common scale, the analysis set up and the range reported again,
// as Ctrl+PageDown and Ctrl+PageUp do. Back and forth, so it never ends.
void stepThroughAFolder(benchmark::State& state)
{
    ShownWindow shown;
    shown.window.openDropped(kNational + "1975 全国.txt");
    shown.draw->click();
    shown.window.controls().setAgeText(0, "20");
    shown.window.controls().setAgeText(1, "40");
    pressEnter(shown.window.findChild<QLineEdit*>("Text1(1)"));
    auto* folder = shown.window.findChild<pyramid::ui::FolderActions*>();
    int direction = +1;
    for (auto _ : state) {
        (direction > 0 ? folder->nextAction() : folder->previousAction())->trigger();
        direction = -direction;
    }
    if (shown.prompt.asked != 0 || shown.window.controls().resultCaption(7).empty())
        state.SkipWithError("a step did not report");
}

// The common scale of a folder of 25 files (prefectures), worked out from
// nothing (every file read), and again with nothing changed (every file's
// size and time looked at).
void folderScaleOf25Files(benchmark::State& state)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "pyramid-bench-25";
    std::filesystem::create_directories(folder);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(PYRAMID_LIBRARY_DIR) + "/3 都道府県")) {
        if (names.size() == 25)
            break;
        names.push_back(entry.path().filename().string());
        std::filesystem::copy_file(entry.path(), folder / names.back(),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    pyramid::FolderScale warm;
    for (auto _ : state) {
        pyramid::FolderScale cold;
        pyramid::FolderScale& scale = state.range(0) == 0 ? cold : warm;
        benchmark::DoNotOptimize(scale.largestCount(folder.string(), names));
    }
    std::filesystem::remove_all(folder);
}

// Another start-up in a process that has already shown a window: building
// every control, Form_Load, show, up to the window's first frame.
void startUpWarm(benchmark::State& state)
{
    for (auto _ : state) {
        auto window = std::make_unique<MainWindow>();
        window->load();
        FirstFrame frame;
        window->installEventFilter(&frame);
        window->show();
        frame.await();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// A whole fresh process doing what main() does, to its first frame. The
// iteration time is the process's wall time from spawn to exit; in_main_ms
// is the part from entering main() to the first frame, as the process saw it.
void startUpCold(benchmark::State& state)
{
    double inMainMicroseconds = 0;
    for (auto _ : state) {
        int out[2];
        if (::pipe(out) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>(PYRAMID_STARTUP_PROBE), nullptr};

        const auto start = std::chrono::steady_clock::now();
        pid_t child = 0;
        const int spawned = posix_spawn(&child, PYRAMID_STARTUP_PROBE, &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        int status = 0;
        if (spawned == 0)
            ::waitpid(child, &status, 0);
        const auto end = std::chrono::steady_clock::now();

        char text[64] = {};
        const ssize_t got = ::read(out[0], text, sizeof text - 1);
        ::close(out[0]);
        if (spawned != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || got <= 0) {
            state.SkipWithError("the start-up probe did not run");
            return;
        }
        inMainMicroseconds += std::atof(text);
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["in_main_ms"] = benchmark::Counter(inMainMicroseconds / 1000.0, benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(loadAndDraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(loadDrawAndRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(reportOverAllAges)->Unit(benchmark::kMicrosecond);
BENCHMARK(compareOverADrawnPyramid)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(rowUnderTheMouse)->Unit(benchmark::kMicrosecond);
BENCHMARK(stepThroughAFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(folderScaleOf25Files)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(copyChartAndFigures)->Unit(benchmark::kMillisecond);
BENCHMARK(composePrintedPage)->Unit(benchmark::kMillisecond);
BENCHMARK(startUpWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(startUpCold)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // The benchmark's own process draws offscreen, with the program's locale and font.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    pyramid::ui::prepareApplication(app);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
