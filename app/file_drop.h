#pragma once
// What a drag from the file manager brings: the local file or folder to
// open, the first of the URLs in the order given.

#include <optional>
#include <string>

class QMimeData;

namespace pyramid::ui {

// The path's own bytes (a Shift_JIS name stays as it is on disk), when the
// first URL names a local regular file or folder that exists (links count as
// what they point at); nothing otherwise.
std::optional<std::string> droppedPath(const QMimeData* mime);

}  // namespace pyramid::ui
