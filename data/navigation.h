#pragma once
// Keeping the drive, directory and file lists in step, and recording the
// chosen data file's full path as Label1's caption.

#include "core/form_controls.h"

#include <string>

namespace pyramid {

void driveChanged(FormControls& form);      // Drive1_Change
void directoryChanged(FormControls& form);  // Dir1_Change
void fileClicked(FormControls& form);       // File1_Click

// The full path of `fileName` in `directory`: exactly one "/" between them,
// also at the root ("/" and "P.TXT" give "/P.TXT").
std::string joinDataFilePath(const std::string& directory, const std::string& fileName);

}  // namespace pyramid
