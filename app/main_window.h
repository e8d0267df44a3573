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

class MessageBoxPrompt;

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FormWidgets buildControls();
    void wireEvents();
    // The context menus of File1 and the chart, and the chart's tooltip.
    void wireMenus();
    // Gives the chart surface the description of what it shows now.
    void describeChart();

    WindowControls controls_;
    std::unique_ptr<MessageBoxPrompt> ownPrompt_;
    PyramidForm form_;
};

}  // namespace pyramid::ui
