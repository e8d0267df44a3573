#pragma once
// Small helpers shared by the widget tests of the main window.

#include "app/chart_widget.h"
#include "app/main_window.h"

#include <QApplication>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QTest>
#include <QWidget>

#include <memory>
#include <string>

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

// Records the file as the chosen one, presses the draw button and gives
// back the chart's drawing.
inline QImage drawFile(ui::MainWindow& window, const std::string& path)
{
    window.controls().setCaption(Label::Label1, path);
    window.controls().setVisible(Button::Command1, true);
    QTest::mouseClick(control(window, "Command1"), Qt::LeftButton);
    return control<ui::ChartWidget>(window, "Picture1")->drawing();
}

// An image's pixels, for comparing two drawings byte for byte.
inline QByteArray bytesOf(const QImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
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
