#pragma once
// The main form's controls as the handlers see them, on the real widgets:
// which widget stands behind each design name, and the translation between
// the handlers' UTF-8 texts and the widgets' own.

#include "core/form_controls.h"

#include <QPalette>

#include <array>
#include <cstddef>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace pyramid::ui {

class ChartWidget;
class DirectoryList;
class DriveList;
class FileList;

// One colour of a widget's palette.
void setColour(QWidget* widget, QPalette::ColorRole role, Rgb rgb);

// The form's widgets by design name. The window makes and owns them.
struct FormWidgets {
    QWidget* window = nullptr;
    std::array<QLabel*, 11> labels{};  // by Label
    std::array<QLabel*, kResultLineCount> results{};
    std::array<QPushButton*, 3> buttons{};  // by Button
    std::array<QLineEdit*, kAgeBoxCount> ageBoxes{};
    ChartWidget* picture = nullptr;
    DriveList* drive = nullptr;
    DirectoryList* directories = nullptr;
    FileList* files = nullptr;

    QLabel* label(Label which) const { return labels[std::size_t(which)]; }
    QPushButton* button(Button which) const { return buttons[std::size_t(which)]; }
};

class WindowControls : public FormControls {
public:
    // Label1's caption starts as the text its label shows.
    explicit WindowControls(const FormWidgets& widgets);

    const FormWidgets& widgets() const { return widgets_; }

    std::string caption(Label label) const override;
    void setCaption(Label label, std::string_view text) override;
    void setBackground(Label label, Rgb colour) override;
    std::string resultCaption(int index) const override;
    void setResultCaption(int index, std::string_view text) override;
    void setVisible(Button button, bool visible) override;
    void setFocus(Button button) override;
    std::string ageText(int index) const override;
    void setAgeText(int index, std::string_view text) override;
    void focusAgeBox(int index) override;
    ChartSurface& chart() override;
    void placeWindow(int leftTwips, int topTwips) override;
    void endProgram() override;
    std::string driveText() const override;
    std::string dirPath() const override;
    void setDirPath(const std::string& path) override;
    std::string filePath() const override;
    void setFilePath(const std::string& path) override;
    std::string fileName() const override;
    std::vector<std::string> fileNames() const override;
    bool selectFile(const std::string& name) override;

private:
    FormWidgets widgets_;
    // Label1's caption is the recorded path, kept as the handlers wrote it;
    // the label only shows it.
    std::string label1Caption_;
};

}  // namespace pyramid::ui
