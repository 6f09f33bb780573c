// The texts a file dialog is built from, the same for every platform's
// dialog: the pattern of the extensions it offers, the extension a typed
// name without one gets, and the folder a chosen path lies in.
#pragma once

#include <string>

namespace orv::editor {

// "fxp fxb" -> "*.fxp;*.fxb" (the dialog shows it as its filter's name too);
// a list without extensions offers every file, "*".
std::string FileDialogPattern(const char* extensions);

// The first extension of the list, at most 15 characters.
std::string DefaultFileExtension(const char* extensions);

// Everything up to and including the last "/" or "\" of path; "" when there
// is none.
std::string FolderOfPath(const std::string& path);

}  // namespace orv::editor
