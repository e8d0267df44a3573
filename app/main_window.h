#pragma once
// The main form: builds every control of the design at its place and wires
// each event to its handler. What the handlers do to the controls goes
// through WindowControls.

#include "app/pyramid_form.h"
#include "app/window_controls.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

namespace pyramid::ui {

class DialogRegionQuestion;
class MessageBoxPrompt;
class WorksheetActions;

class MainWindow : public QWidget {
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

    // The form's controls as the handlers see them.
    WindowControls& controls() { return controls_; }
    // The handlers, for what the window offers beyond its controls (a
    // comparison laid over the chart from a menu or a dropped file).
    PyramidForm& handlers() { return form_; }

    // Copy and print of the chart with its figures.
    WorksheetActions& worksheet() { return *worksheet_; }

    // Opens a dropped file or folder as the lists would: Drive1, Dir1 and,
    // for a file, File1 go to it and their handlers run in that order.
    void openDropped(const std::string& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    FormWidgets buildControls();
    void wireEvents();
    // The context menu of File1, and the chart's tooltip.
    void wireMenus();
    // After a handler that may change the chart: its description for a
    // screen reader and whether it can be copied and printed.
    void describeChart();
    void openChartMenu(QPoint where);
    // A file dropped onto the chart while it shows a pyramid.
    void droppedOnChart(const std::string& path);
    // Takes a drag that brings a local file or folder, anywhere on the window.
    bool takeDrag(QEvent* event, QWidget* receiver);

    WindowControls controls_;
    std::unique_ptr<MessageBoxPrompt> ownPrompt_;
    PyramidForm form_;
    WorksheetActions* worksheet_ = nullptr;  // owned by the window
    std::unique_ptr<DialogRegionQuestion> regionQuestion_;  // 「地域を選ぶ」 for a census table
};

}  // namespace pyramid::ui
