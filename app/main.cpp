// jinko-pyramid: draws the population pyramid of a region from its data file
// and analyses the composition of any age range.

#include "app/japanese_fonts.h"
#include "app/japanese_locale.h"
#include "app/main_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("jinko-pyramid"));
    // Lets Wayland desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(PYRAMID_APP_ID));
    pyramid::ui::useJapanese(app);
    // The error prompt and other standard dialogs speak in the same font.
    QApplication::setFont(pyramid::ui::interfaceFont());

    pyramid::ui::MainWindow window;
    window.load();
    window.show();
    return app.exec();
}
