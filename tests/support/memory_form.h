#pragma once
// The main form's controls held in memory, for driving the handlers in tests.

#include "core/form_controls.h"
#include "data/file_system_lists.h"
#include "support/recording_chart.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <string>

namespace pyramid::testing {

class MemoryForm : public FormControls {
public:
    MemoryForm()
    {
        captions[Label::Label1] = "使用する地域ファイルを      選択して下さい　　           　 ↓";
        backgrounds[Label::Label1] = design::LightGreen;
    }

    std::string caption(Label label) const override
    {
        auto it = captions.find(label);
        return it == captions.end() ? std::string() : it->second;
    }
    void setCaption(Label label, std::string_view text) override { captions[label] = std::string(text); }
    void setBackground(Label label, Rgb colour) override { backgrounds[label] = colour; }
    std::string resultCaption(int index) const override { return results.at(index); }
    void setResultCaption(int index, std::string_view text) override { results.at(index) = std::string(text); }

    void setVisible(Button button, bool visible) override { this->visible[button] = visible; }
    void setFocus(Button button) override { focus = "Command" + std::to_string(int(button) + 1); }

    std::string ageText(int index) const override { return ageBoxes.at(index); }
    void setAgeText(int index, std::string_view text) override { ageBoxes.at(index) = std::string(text); }
    void focusAgeBox(int index) override { focus = "Text1(" + std::to_string(index) + ")"; }

    ChartSurface& chart() override { return surface; }

    void placeWindow(int leftTwips, int topTwips) override
    {
        windowLeft = leftTwips;
        windowTop = topTwips;
    }
    void endProgram() override { ended = true; }

    std::string driveText() const override { return drive; }
    std::string dirPath() const override { return directory; }
    void setDirPath(const std::string& path) override
    {
        directory = path;
        if (onDirChanged)
            onDirChanged();
    }
    std::string filePath() const override { return fileListPath; }
    void setFilePath(const std::string& path) override { fileListPath = path; }
    std::string fileName() const override { return selectedFile; }
    // The list shows what its directory holds, as File1 does.
    std::vector<std::string> fileNames() const override { return regularFileNames(fileListPath); }
    bool selectFile(const std::string& name) override
    {
        const std::vector<std::string> names = fileNames();
        if (std::find(names.begin(), names.end(), name) == names.end())
            return false;
        selectedFile = name;
        return true;
    }

    std::map<Label, std::string> captions;
    std::map<Label, Rgb> backgrounds;
    std::array<std::string, kResultLineCount> results{};
    std::map<Button, bool> visible{{Button::Command1, true}, {Button::Command2, true}, {Button::Command3, true}};
    std::string focus;
    std::array<std::string, kAgeBoxCount> ageBoxes{};
    RecordingChart surface;
    int windowLeft = -1;
    int windowTop = -1;
    bool ended = false;

    std::string drive;
    std::string directory;
    std::string fileListPath;
    std::string selectedFile;
    std::function<void()> onDirChanged;  // the nested Dir1_Change
};

}  // namespace pyramid::testing
