#pragma once
// The main form's controls as the handlers use them. The Qt window
// implements this; tests use an in-memory form. Texts are UTF-8.

#include "core/chart_surface.h"
#include "core/palette.h"

#include <string>
#include <string_view>
#include <vector>

namespace pyramid {

// Single labels by their design names. Label12 is an array of eight,
// reached by index through the result-line calls.
enum class Label { Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10, Label11 };
enum class Button { Command1, Command2, Command3 };

inline constexpr int kResultLineCount = 8;  // Label12(0) .. Label12(7)
inline constexpr int kAgeBoxCount = 2;      // Text1(0), Text1(1)
inline constexpr int kEnterKey = 13;        // the character code Enter gives a key press

class FormControls {
public:
    virtual ~FormControls() = default;

    // Labels
    virtual std::string caption(Label label) const = 0;
    virtual void setCaption(Label label, std::string_view text) = 0;
    virtual void setBackground(Label label, Rgb colour) = 0;
    virtual std::string resultCaption(int index) const = 0;  // Label12(index)
    virtual void setResultCaption(int index, std::string_view text) = 0;

    // Buttons and focus
    virtual void setVisible(Button button, bool visible) = 0;
    virtual void setFocus(Button button) = 0;

    // The age boxes Text1(0) and Text1(1)
    virtual std::string ageText(int index) const = 0;
    virtual void setAgeText(int index, std::string_view text) = 0;
    virtual void focusAgeBox(int index) = 0;

    // The chart surface Picture1
    virtual ChartSurface& chart() = 0;

    // The window: its outer top-left corner in twips from the screen's corner.
    virtual void placeWindow(int leftTwips, int topTwips) = 0;
    // Unloads the form and ends the program at once.
    virtual void endProgram() = 0;

    // The navigation lists Drive1, Dir1 and File1.
    virtual std::string driveText() const = 0;
    virtual std::string dirPath() const = 0;
    // Moves the directory list; as with a user's move, Dir1_Change runs to
    // its end before this returns.
    virtual void setDirPath(const std::string& path) = 0;
    virtual std::string filePath() const = 0;
    // Moves the file list; no handler runs.
    virtual void setFilePath(const std::string& path) = 0;
    virtual std::string fileName() const = 0;  // selected entry, no directory part
    // File1's entries in the list's order, and its selection moved to the
    // entry `name` as a click would move it, but no handler runs; false
    // when the list shows no such entry.
    virtual std::vector<std::string> fileNames() const = 0;
    virtual bool selectFile(const std::string& name) = 0;
};

}  // namespace pyramid
