#include "editor/x11/X11DialogTool.h"

#include "editor/FileDialogText.h"
#include "platform/Process.h"

#include <cstdlib>

namespace orv::editor {

namespace {

constexpr int kExitYes = 0;  // both programs: OK / Yes
constexpr int kExitNo = 1;   // No, or the dialog was closed

std::string WithoutTrailingNewline(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

}  // namespace

std::vector<std::string> HostStartEnvironment(const std::vector<std::string>& current)
{
    const std::string key = "PREBUNDLE_ENV=";
    for (const std::string& entry : current) {
        if (entry.compare(0, key.size(), key) != 0)
            continue;
        std::vector<std::string> saved;
        const std::string lines = entry.substr(key.size());
        size_t start = 0;
        while (start < lines.size()) {
            size_t end = lines.find('\n', start);
            if (end == std::string::npos)
                end = lines.size();
            const std::string line = lines.substr(start, end - start);
            if (line.find('=') != std::string::npos && line.find('=') > 0)
                saved.push_back(line);
            start = end + 1;
        }
        // The display may have been set after the launcher ran.
        for (const std::string& name : {std::string("DISPLAY="), std::string("XAUTHORITY=")}) {
            bool present = false;
            for (const std::string& s : saved)
                present = present || s.compare(0, name.size(), name) == 0;
            for (const std::string& c : current)
                if (!present && c.compare(0, name.size(), name) == 0)
                    saved.push_back(c);
        }
        if (!saved.empty())
            return saved;
    }
    return current;
}

std::vector<std::string> HostStartEnvironment()
{
    return HostStartEnvironment(platform::CurrentEnvironment());
}

X11DialogTool X11DialogTool::Find(const std::vector<std::string>& environment)
{
    if (!platform::FindProgram("zenity", environment).empty())
        return X11DialogTool(Kind::kZenity, environment);
    if (!platform::FindProgram("kdialog", environment).empty())
        return X11DialogTool(Kind::kKdialog, environment);
    return X11DialogTool(Kind::kNone);
}

std::vector<std::string> X11DialogTool::MessageCommand(const char* text, const char* caption, MessageButtons buttons,
                                                       unsigned long transientFor) const
{
    const std::string body = text != nullptr ? text : "";
    const std::string title = caption != nullptr ? caption : "";
    const std::string owner = std::to_string(transientFor);
    // Each program's kind of box for each icon.
    const MessageIcon icon = IconOf(buttons);
    if (kind == Kind::kZenity) {
        const char* box = icon == MessageIcon::kQuestion ? "--question"
                          : icon == MessageIcon::kError  ? "--error"
                                                         : "--info";
        std::vector<std::string> argv{"zenity", box, "--no-markup", "--title=" + title, "--text=" + body};
        if (transientFor != 0)
            argv.push_back("--attach=" + owner);
        return argv;
    }
    const char* box = icon == MessageIcon::kQuestion ? "--yesno" : icon == MessageIcon::kError ? "--error" : "--msgbox";
    std::vector<std::string> argv{"kdialog", "--title", title, box, body};
    if (transientFor != 0) {
        argv.push_back("--attach");
        argv.push_back(owner);
    }
    return argv;
}

std::vector<std::string> X11DialogTool::FileCommand(const std::string& startPath, FileDialogMode mode,
                                                    const char* extensions, unsigned long transientFor) const
{
    const std::string pattern = FileDialogPattern(extensions);
    const bool save = mode == FileDialogMode::kSave;
    const std::string owner = std::to_string(transientFor);
    if (kind == Kind::kZenity) {
        std::vector<std::string> argv{"zenity", "--file-selection", "--filename=" + startPath};
        if (save) {
            argv.push_back("--save");
            argv.push_back("--confirm-overwrite");
        }
        // zenity separates patterns with spaces.
        std::string patterns = pattern;
        for (char& c : patterns)
            c = c == ';' ? ' ' : c;
        argv.push_back("--file-filter=" + pattern + " | " + patterns);
        if (transientFor != 0)
            argv.push_back("--attach=" + owner);
        return argv;
    }
    std::string patterns = pattern;
    for (char& c : patterns)
        c = c == ';' ? ' ' : c;
    std::vector<std::string> argv{"kdialog", save ? "--getsavefilename" : "--getopenfilename", startPath, patterns};
    if (transientFor != 0) {
        argv.push_back("--attach");
        argv.push_back(owner);
    }
    return argv;
}

std::optional<std::pair<int, std::string>> X11DialogTool::Run(const DialogOwner& owner,
                                                              const std::vector<std::string>& argv) const
{
    platform::ChildProcess child;
    if (!child.Start(argv, environment))
        return std::nullopt;
    bool finished = false;
    owner.waitPainting([&] { return finished = finished || child.Poll(); }, child.WaitDescriptor());
    while (!finished)  // the panel went away meanwhile: still reap the program
        finished = child.Poll();
    return std::make_pair(child.ExitCode(), child.Output());
}

std::optional<MessageAnswer> X11DialogTool::AskMessage(const DialogOwner& owner, const char* text, const char* caption,
                                                       MessageButtons buttons) const
{
    auto result = Run(owner, MessageCommand(text, caption, buttons, owner.window));
    if (!result.has_value() || (result->first != kExitYes && result->first != kExitNo))
        return std::nullopt;  // it could not show anything: ask another way
    if (buttons == MessageButtons::kOk)
        return kAnswerOk;
    return result->first == kExitYes ? kAnswerYes : kAnswerNo;
}

std::optional<std::string> X11DialogTool::ChooseFile(const DialogOwner& owner, const std::string& fileName,
                                                     FileDialogMode mode, const std::string& folder,
                                                     const char* extensions) const
{
    std::string start = folder;
    if (!start.empty() && start.back() != '/')
        start += '/';
    start += fileName;
    auto result = Run(owner, FileCommand(start, mode, extensions, owner.window));
    if (!result.has_value() || (result->first != kExitYes && result->first != kExitNo))
        return std::nullopt;
    return result->first == kExitYes ? WithoutTrailingNewline(result->second) : std::string();
}

}  // namespace orv::editor
