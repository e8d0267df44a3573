#pragma once
// Small helpers shared by the widget tests of the main window.

#include "app/main_window.h"

#include <QApplication>
#include <QColor>
#include <QRect>
#include <QWidget>

#include <memory>

namespace pyramid::testing {

// A main window as the program starts it: loaded, then shown.
inline std::unique_ptr<ui::MainWindow> startedWindow(ErrorPrompt* prompt)
{
    auto window = std::make_unique<ui::MainWindow>(prompt);
    window->load();
    window->show();
    return window;
}

// The design places controls in twips, 15 to a logical pixel.
inline QRect fromTwips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

template <class Control = QWidget>
Control* control(const QWidget& window, const QString& name)
{
    return window.findChild<Control*>(name);
}

// The desktop theme's colour for text in an input box.
inline QColor systemWindowText()
{
    return QApplication::palette().color(QPalette::Text);
}

inline const QColor kLightYellow{255, 255, 128};
inline const QColor kLightGreen{128, 255, 128};
inline const QColor kCyan{0, 255, 255};

}  // namespace pyramid::testing
