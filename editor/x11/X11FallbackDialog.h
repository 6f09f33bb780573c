// Our own small dialogs, drawn with the raster layer, for a desktop without
// zenity or kdialog: a message with OK or Yes/No, and a file name typed in
// (with OK/Cancel). Modal; Enter is the first button, Escape and closing the
// window are the last.
#pragma once

#include "editor/Dialogs.h"

#include <string>

namespace orv::editor {

class GraphicsX11;

namespace X11FallbackDialog {

MessageAnswer AskMessage(GraphicsX11& graphics, const char* text, const char* caption, MessageButtons buttons);
// The path typed (started with folder + fileName); "" on cancel.
std::string AskFileName(GraphicsX11& graphics, const std::string& fileName, FileDialogMode mode,
                        const std::string& folder, const char* extensions);

}  // namespace X11FallbackDialog

}  // namespace orv::editor
