#pragma once
// Keeping the drive, directory and file lists in step, and recording the
// chosen data file's full path as Label1's caption.

#include "core/form_controls.h"

namespace pyramid {

void driveChanged(FormControls& form);      // Drive1_Change
void directoryChanged(FormControls& form);  // Dir1_Change
void fileClicked(FormControls& form);       // File1_Click

}  // namespace pyramid
