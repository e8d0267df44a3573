// The drive, directory and file handlers on the in-memory form.
#include "core/palette.h"
#include "data/navigation.h"
#include "support/memory_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace pyramid;
using pyramid::testing::MemoryForm;

namespace {

class Navigation : public ::testing::Test {
protected:
    Navigation()
    {
        // As after start-up: the draw button hidden.
        form.visible[Button::Command1] = false;
    }

    void chooseFile(const std::string& directory, const std::string& name)
    {
        form.fileListPath = directory;
        form.selectedFile = name;
        fileClicked(form);
    }

    MemoryForm form;
    std::vector<std::string> captionsFromNestedDirChange;
};

}  // namespace

// Each choice in turn: exactly one separator between directory and file,
// the path replaced, the colour kept, the draw button offered and focused.
TEST_F(Navigation, ChoosingAFileRecordsItsPathAndOffersTheDrawButton)
{
    const char* const choices[][3] = {
        {"/", "P.TXT", "/P.TXT"},
        {"/data", "P.TXT", "/data/P.TXT"},
        {"/home/hanako/人口", "tokyo-2020.txt", "/home/hanako/人口/tokyo-2020.txt"},
    };
    for (const auto& [directory, name, path] : choices) {
        form.focus.clear();
        chooseFile(directory, name);
        EXPECT_EQ(form.caption(Label::Label1), path);
        EXPECT_EQ(form.backgrounds[Label::Label1], design::LightYellow);
        EXPECT_TRUE(form.visible[Button::Command1]);
        EXPECT_EQ(form.focus, "Command1");
    }
}

TEST_F(Navigation, ADriveChangeRunsTheDirectoryChangeThenShowsTheDriveText)
{
    // The directory list lands in the directory last visited on that volume,
    // so the nested handler records another path than the drive text.
    form.drive = "/home";
    form.onDirChanged = [this] {
        form.directory = "/home/hanako/data";
        directoryChanged(form);
        captionsFromNestedDirChange.push_back(form.caption(Label::Label1));
    };
    driveChanged(form);

    EXPECT_EQ(captionsFromNestedDirChange, std::vector<std::string>{"/home/hanako/data"});
    EXPECT_EQ(form.fileListPath, "/home/hanako/data");
    EXPECT_EQ(form.caption(Label::Label1), "/home");
    EXPECT_EQ(form.backgrounds[Label::Label1], design::LightGreen);
    EXPECT_FALSE(form.visible[Button::Command1]);
}

TEST_F(Navigation, ADirectoryChangeAfterAChoiceReplacesThePathButKeepsTheButton)
{
    chooseFile("/data", "P.TXT");
    form.directory = "/data/old";
    directoryChanged(form);
    EXPECT_EQ(form.fileListPath, "/data/old");
    EXPECT_EQ(form.caption(Label::Label1), "/data/old");
    EXPECT_EQ(form.backgrounds[Label::Label1], design::LightYellow);
    EXPECT_TRUE(form.visible[Button::Command1]);
}
