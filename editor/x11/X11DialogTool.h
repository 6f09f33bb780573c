// Message boxes and file dialogs through the desktop's own dialog program,
// zenity or kdialog, the way Linux plug-ins usually ask. The program runs
// with the environment the host was started with, transient for the host's
// top-level window, and we wait for it in a modal loop that keeps the panel
// painted.
#pragma once

#include "editor/Dialogs.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv::editor {

// What a dialog program needs of the panel that asks: the window to be
// transient for, and a wait that keeps the panel painted until `done`
// answers true, woken early when `descriptor` turns readable.
struct DialogOwner {
    unsigned long window = 0;
    std::function<void(const std::function<bool()>& done, int descriptor)> waitPainting;
};

// The environment the host process was started with: Ardour's launcher
// saves it as PREBUNDLE_ENV (lines of NAME=value) before it points
// LD_LIBRARY_PATH and friends at its bundled libraries; other hosts leave
// ours unchanged.
std::vector<std::string> HostStartEnvironment();
// The same, from a given environment (for tests).
std::vector<std::string> HostStartEnvironment(const std::vector<std::string>& current);

class X11DialogTool {
public:
    enum class Kind { kNone, kZenity, kKdialog };

    // zenity first, then kdialog, on the PATH of the environment the
    // program will run with (the host's start environment).
    static X11DialogTool Find(const std::vector<std::string>& environment);
    bool Available() const { return kind != Kind::kNone; }

    // The answer, or nothing when the program could not be run.
    std::optional<MessageAnswer> AskMessage(const DialogOwner& owner, const char* text, const char* caption,
                                            MessageButtons buttons) const;
    // The chosen path ("" on cancel), or nothing when the program could not
    // be run.
    std::optional<std::string> ChooseFile(const DialogOwner& owner, const std::string& fileName, FileDialogMode mode,
                                          const std::string& folder, const char* extensions) const;

    // The command lines, for tests.
    std::vector<std::string> MessageCommand(const char* text, const char* caption, MessageButtons buttons,
                                            unsigned long transientFor) const;
    std::vector<std::string> FileCommand(const std::string& startPath, FileDialogMode mode, const char* extensions,
                                         unsigned long transientFor) const;

    explicit X11DialogTool(Kind kind = Kind::kNone, std::vector<std::string> environment = {})
        : kind(kind), environment(std::move(environment))
    {}

private:
    // Runs the program; its exit code and output, or nothing when it did not run.
    std::optional<std::pair<int, std::string>> Run(const DialogOwner& owner,
                                                   const std::vector<std::string>& argv) const;

    Kind kind;
    std::vector<std::string> environment;
};

}  // namespace orv::editor
