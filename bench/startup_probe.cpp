// One start-up of the program through the same start-up function as main(),
// stopped at the first frame the window paints; prints the microseconds from
// entering main() to that frame. Run by window_bench in a fresh process each
// time, so every start-up is a cold one. Offscreen, so no display is needed.

#include "app/main_window.h"
#include "app/startup.h"
#include "first_frame.h"

#include <QApplication>

#include <chrono>
#include <cstdio>

int main(int argc, char* argv[])
{
    const auto start = std::chrono::steady_clock::now();
    qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    FirstFrame frame;
    app.installEventFilter(&frame);
    const auto window = pyramid::ui::startProgram(app);
    frame.await();

    const auto shown = std::chrono::steady_clock::now();
    std::printf("%lld\n", static_cast<long long>(
                              std::chrono::duration_cast<std::chrono::microseconds>(shown - start).count()));
    return 0;
}
