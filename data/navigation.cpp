#include "data/navigation.h"

#include "data/file_system_lists.h"

namespace pyramid {

void driveChanged(FormControls& form)
{
    // Moving the directory list runs directoryChanged at this point; the
    // drive text then replaces the path it wrote.
    form.setDirPath(form.driveText());
    form.setCaption(Label::Label1, form.driveText());
}

void directoryChanged(FormControls& form)
{
    form.setFilePath(form.dirPath());
    form.setCaption(Label::Label1, form.filePath());
}

void fileClicked(FormControls& form)
{
    const std::string fullPath = childPath(form.filePath(), form.fileName());
    form.setBackground(Label::Label1, design::LightYellow);
    form.setCaption(Label::Label1, fullPath);
    form.setVisible(Button::Command1, true);
    form.setFocus(Button::Command1);
}

}  // namespace pyramid
