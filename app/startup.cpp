#include "app/startup.h"

#include "app/japanese_fonts.h"
#include "app/japanese_locale.h"
#include "app/main_window.h"

#include <QApplication>

namespace pyramid::ui {

void prepareApplication(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("jinko-pyramid"));
    // Lets Wayland desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(PYRAMID_APP_ID));
    useJapanese(app);
    // The error prompt and other standard dialogs speak in the same font.
    QApplication::setFont(interfaceFont());
}

std::unique_ptr<MainWindow> startProgram(QApplication& app)
{
    prepareApplication(app);
    auto window = std::make_unique<MainWindow>();
    window->load();
    window->show();
    return window;
}

}  // namespace pyramid::ui
