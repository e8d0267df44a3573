#pragma once
// The program's start, one function for main() and for the start-up
// benchmark, so what is measured is what runs.

#include <memory>

class QApplication;

namespace pyramid::ui {

class MainWindow;

// The application's name and desktop entry, Japanese in the standard
// dialogs and the interface font.
void prepareApplication(QApplication& app);

// prepareApplication, then the main window made, loaded and shown.
std::unique_ptr<MainWindow> startProgram(QApplication& app);

}  // namespace pyramid::ui
