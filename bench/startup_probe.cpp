// One start-up of the program through the same start-up function as main(),
// stopped at the first frame the window paints; prints the microseconds from
// entering main() to that frame. Run by window_bench in a fresh process each
// time, so every start-up is a cold one. Offscreen, so no display is needed.

#include "app/main_window.h"
#include "app/startup.h"

#include <QApplication>
#include <QEvent>

#include <chrono>
#include <cstdio>

namespace {

// Notes the first paint of a top-level window: the main window is the only one.
class FirstFrame : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char* argv[])
{
    const auto start = std::chrono::steady_clock::now();
    qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    FirstFrame frame;
    app.installEventFilter(&frame);
    const auto window = pyramid::ui::startProgram(app);
    while (!frame.painted)
        QApplication::processEvents(QEventLoop::AllEvents);

    const auto shown = std::chrono::steady_clock::now();
    std::printf("%lld\n", static_cast<long long>(
                              std::chrono::duration_cast<std::chrono::microseconds>(shown - start).count()));
    return 0;
}
