#pragma once
// The main form: every control of the design at its place, the form's
// controls as the handlers see them, and the events wired to the handlers.

#include "app/pyramid_form.h"
#include "core/form_controls.h"

#include <QWidget>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pyramid::ui {

class ChartWidget;
class DirectoryList;
class DriveList;
class FileList;
class MessageBoxPrompt;

inline constexpr int kTwipsPerPixel = 15;  // 1440 twips per inch at 96 logical dots per inch

class MainWindow : public QWidget, public FormControls {
    Q_OBJECT
public:
    // Failures are asked in a message box unless another prompt is given.
    explicit MainWindow(ErrorPrompt* prompt = nullptr);
    ~MainWindow() override;

    // Runs Form_Load; once, before the window is first shown.
    void load();

    // The volumes the drive list offers; the list keeps the one holding the
    // current directory.
    void showVolumes(const std::vector<std::string>& roots);

    // FormControls
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

    using QWidget::setFocus;
    using QWidget::setVisible;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void wireEvents();
    QLabel* makeLabel(QWidget* parent, const QString& name, QRect twips, Rgb background, Rgb text);
    QLabel* label(Label which) const { return labels_[std::size_t(which)]; }
    QPushButton* button(Button which) const { return buttons_[std::size_t(which)]; }

    std::array<QLabel*, 11> labels_{};
    std::array<QLabel*, kResultLineCount> results_{};
    std::array<QPushButton*, 3> buttons_{};
    std::array<QLineEdit*, kAgeBoxCount> ageBoxes_{};
    ChartWidget* picture_ = nullptr;
    DriveList* drive_ = nullptr;
    DirectoryList* directories_ = nullptr;
    FileList* files_ = nullptr;

    std::unique_ptr<MessageBoxPrompt> ownPrompt_;
    PyramidForm form_;
};

}  // namespace pyramid::ui
