#include "app/window_controls.h"

#include "app/chart_widget.h"
#include "app/navigation_lists.h"
#include "app/twips.h"
#include "data/text_encoding.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace pyramid::ui {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

void setColour(QWidget* widget, QPalette::ColorRole role, Rgb rgb)
{
    QPalette palette = widget->palette();
    palette.setColor(role, QColor(rgb.red, rgb.green, rgb.blue));
    widget->setPalette(palette);
}

WindowControls::WindowControls(const FormWidgets& widgets)
    : widgets_(widgets)
    , label1Caption_(widgets.label(Label::Label1)->text().toStdString())
{
}

std::string WindowControls::caption(Label which) const
{
    if (which == Label::Label1)
        return label1Caption_;
    return widgets_.label(which)->text().toStdString();
}

void WindowControls::setCaption(Label which, std::string_view text)
{
    QLabel* l = widgets_.label(which);
    if (which == Label::Label1) {
        // The recorded path keeps its bytes; the label shows it readable.
        label1Caption_ = text;
        l->setText(QString::fromStdString(decodePathText(text)));
        return;
    }
    l->setText(fromUtf8(text));
    if (which == Label::Label10 || which == Label::Label11)
        l->adjustSize();
}

void WindowControls::setBackground(Label which, Rgb background)
{
    setColour(widgets_.label(which), QPalette::Window, background);
}

std::string WindowControls::resultCaption(int index) const
{
    return widgets_.results.at(std::size_t(index))->text().toStdString();
}

void WindowControls::setResultCaption(int index, std::string_view text)
{
    widgets_.results.at(std::size_t(index))->setText(fromUtf8(text));
}

void WindowControls::setVisible(Button button, bool visible)
{
    widgets_.button(button)->setVisible(visible);
}

void WindowControls::setFocus(Button button)
{
    widgets_.button(button)->setFocus(Qt::OtherFocusReason);
}

std::string WindowControls::ageText(int index) const
{
    return widgets_.ageBoxes.at(std::size_t(index))->text().toStdString();
}

void WindowControls::setAgeText(int index, std::string_view text)
{
    widgets_.ageBoxes.at(std::size_t(index))->setText(fromUtf8(text));
}

void WindowControls::focusAgeBox(int index)
{
    widgets_.ageBoxes.at(std::size_t(index))->setFocus(Qt::OtherFocusReason);
}

ChartSurface& WindowControls::chart()
{
    return *widgets_.picture;
}

void WindowControls::placeWindow(int leftTwips, int topTwips)
{
    // Before the first show a window's position is that of its frame, so
    // the outer corner lands on the corner of the desktop's usable area.
    QWidget* window = widgets_.window;
    const QScreen* where = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QPoint corner = where ? where->availableGeometry().topLeft() : QPoint();
    window->move(corner +
                 QPoint(qRound(double(leftTwips) / kTwipsPerPixel), qRound(double(topTwips) / kTwipsPerPixel)));
}

void WindowControls::endProgram()
{
    widgets_.window->close();
    QCoreApplication::quit();
}

std::string WindowControls::driveText() const
{
    return widgets_.drive->drive();
}

std::string WindowControls::dirPath() const
{
    return widgets_.directories->path();
}

void WindowControls::setDirPath(const std::string& path)
{
    widgets_.directories->setPath(path);
}

std::string WindowControls::filePath() const
{
    return widgets_.files->path();
}

void WindowControls::setFilePath(const std::string& path)
{
    widgets_.files->setPath(path);
}

std::string WindowControls::fileName() const
{
    return widgets_.files->fileName();
}

std::vector<std::string> WindowControls::fileNames() const
{
    return widgets_.files->fileNames();
}

bool WindowControls::selectFile(const std::string& name)
{
    return widgets_.files->selectFile(name);
}

}  // namespace pyramid::ui
