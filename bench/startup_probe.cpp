// One start-up of the program as main() makes it, stopped at the first frame
// the window paints; prints the microseconds from entering main() to that
// frame. Run by window_bench in a fresh process each time, so every start-up
// is a cold one. Offscreen, so no display is needed.

#include "app/japanese_fonts.h"
#include "app/japanese_locale.h"
#include "app/main_window.h"

#include <QApplication>
#include <QEvent>

#include <chrono>
#include <cstdio>

namespace {

// Notes the first paint of the window itself.
class FirstFrame : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char* argv[])
{
    const auto start = std::chrono::steady_clock::now();
    qputenv("QT_QPA_PLATFORM", "offscreen");

    // The same steps as the program's main().
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("jinko-pyramid"));
    pyramid::ui::useJapanese(app);
    QApplication::setFont(pyramid::ui::interfaceFont());
    pyramid::ui::MainWindow window;
    window.load();

    FirstFrame frame;
    window.installEventFilter(&frame);
    window.show();
    while (!frame.painted)
        QApplication::processEvents(QEventLoop::AllEvents);

    const auto shown = std::chrono::steady_clock::now();
    std::printf("%lld\n", static_cast<long long>(
                              std::chrono::duration_cast<std::chrono::microseconds>(shown - start).count()));
    return 0;
}
