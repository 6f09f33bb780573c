#include "X11FallbackDialog.h"

#include "Blit.h"
#include "FileDialogText.h"
#include "GraphicsX11.h"
#include "TextFieldEditing.h"
#include "TextStyle.h"
#include "X11RasterWindow.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr int kWidth = 420;  // without an icon
constexpr int kMargin = 14;
constexpr int kLineHeight = 16;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;
constexpr int kFieldHeight = 20;
constexpr size_t kPathLength = 1024;
constexpr size_t kLineCharacters = 60;
constexpr uint32_t kBackground = 0xffececec;
constexpr uint32_t kButtonFace = 0xffd8d8d8;
constexpr uint32_t kFrame = 0xff808080;
constexpr uint32_t kWhite = 0xffffffff;
constexpr uint32_t kBlack = 0xff000000;
// The icon: a coloured disc left of the text with a white sign in it.
constexpr int kIconSize = 32;
constexpr int kIconSignHeight = 26;
constexpr uint32_t kErrorRed = 0xffc62828;
constexpr uint32_t kInformationBlue = 0xff1e63c8;

struct IconLook {
    uint32_t colour;
    const char* sign;
};

IconLook LookOf(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::kError:
        return {kErrorRed, "\xc3\x97"};  // the multiplication sign
    case MessageIcon::kQuestion:
        return {kInformationBlue, "?"};
    default:
        return {kInformationBlue, "i"};
    }
}

struct Button {
    const char* label;
    MessageAnswer answer;
};

// Lines broken at spaces so that none is much longer than the dialog.
std::vector<std::string> WrapLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::string word;
    auto flushWord = [&] {
        if (!line.empty() && line.size() + 1 + word.size() > kLineCharacters) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        word.clear();
    };
    for (char c : text) {
        if (c == '\n') {
            flushWord();
            lines.push_back(line);
            line.clear();
        } else if (c == ' ') {
            flushWord();
        } else {
            word += c;
        }
    }
    flushWord();
    lines.push_back(line);
    return lines;
}

// One dialog: text lines, an optional field, a row of buttons.
class Dialog {
public:
    Dialog(GraphicsX11& graphics, const std::string& text, const char* caption, std::vector<Button> buttons,
           std::optional<TextFieldEditing> field, std::optional<MessageIcon> icon)
        : graphics(graphics), lines(WrapLines(text)), buttons(std::move(buttons)), field(std::move(field)), icon(icon)
    {
        std::strcpy(style.face, "Arial");
        style.height = 13;
        style.alignment = kTextAlignNear;
        // The icon takes a column of its own; the lines keep their width.
        textLeft = kMargin + (icon.has_value() ? kIconSize + kMargin : 0);
        width = textLeft + kWidth - kMargin;
        const int textHeight = std::max(static_cast<int>(lines.size()) * kLineHeight, icon.has_value() ? kIconSize : 0);
        height = kMargin + textHeight + kMargin + (this->field.has_value() ? kFieldHeight + kMargin : 0) +
                 kButtonHeight + kMargin;
        Display* display = graphics.XDisplay();
        const int screen = DefaultScreen(display);
        const int x = (DisplayWidth(display, screen) - width) / 2;
        const int y = (DisplayHeight(display, screen) - height) / 2;
        window.emplace(display, x, y, width, height, false, graphics.HostTopLevel(), caption);
        wmDelete = XInternAtom(display, "WM_DELETE_WINDOW", False);
        Draw();
    }

    MessageAnswer Run()
    {
        graphics.RunModalLoop([this](XEvent& event) { Handle(event); }, [this] { return answer.has_value(); });
        return answer.value_or(buttons.back().answer);
    }

    std::string Typed() const { return field.has_value() ? field->Text() : std::string(); }

private:
    int ButtonLeft(size_t i) const
    {
        const int count = static_cast<int>(buttons.size());
        return width - kMargin - (count - static_cast<int>(i)) * (kButtonWidth + kMargin) + kMargin;
    }
    int ButtonTop() const { return height - kMargin - kButtonHeight; }

    void Draw()
    {
        RasterMemBitmap& bitmap = window->Bitmap();
        FillRectangle(bitmap, 0, 0, width, height, kBackground, 1.0f, kRasterCopy);
        TextStyle text = style;
        text.colour = kBlack;
        if (icon.has_value())
            DrawIcon(bitmap, *icon);
        for (size_t i = 0; i < lines.size(); ++i) {
            RasterRect area{textLeft, kMargin + static_cast<int>(i) * kLineHeight, width - kMargin, height};
            DrawStyledText(&bitmap, text, lines[i], area, false);
        }
        if (field.has_value()) {
            const int top = kMargin + static_cast<int>(lines.size()) * kLineHeight + kMargin;
            FillRectangle(bitmap, kMargin - 1, top - 1, width - 2 * kMargin + 2, kFieldHeight + 2, kFrame, 1.0f,
                          kRasterCopy);
            FillRectangle(bitmap, kMargin, top, width - 2 * kMargin, kFieldHeight, kWhite, 1.0f, kRasterCopy);
            RasterRect area{kMargin + 3, top + 3, width - kMargin, top + kFieldHeight};
            const std::string shown = field->Text() + "|";
            DrawStyledText(&bitmap, text, shown, area, false);
        }
        for (size_t i = 0; i < buttons.size(); ++i) {
            FillRectangle(bitmap, ButtonLeft(i), ButtonTop(), kButtonWidth, kButtonHeight, kFrame, 1.0f, kRasterCopy);
            FillRectangle(bitmap, ButtonLeft(i) + 1, ButtonTop() + 1, kButtonWidth - 2, kButtonHeight - 2, kButtonFace,
                          1.0f, kRasterCopy);
            TextStyle label = text;
            label.alignment = kTextAlignCentre;
            RasterRect area{ButtonLeft(i), ButtonTop() + 5, ButtonLeft(i) + kButtonWidth, ButtonTop() + kButtonHeight};
            DrawStyledText(&bitmap, label, buttons[i].label, area, false);
        }
        window->Show();
    }

    void DrawIcon(RasterMemBitmap& bitmap, MessageIcon shown)
    {
        const IconLook look = LookOf(shown);
        FillDisc(bitmap, kMargin, kMargin, kIconSize, look.colour);
        TextStyle sign;
        std::strcpy(sign.face, "Arial");
        sign.height = kIconSignHeight;
        sign.style = kTextBold;
        sign.alignment = kTextAlignCentre;
        sign.colour = kWhite;
        const int signTop = kMargin + (kIconSize - kIconSignHeight) / 2;
        RasterRect area{kMargin, signTop, kMargin + kIconSize, signTop + kIconSignHeight};
        DrawStyledText(&bitmap, sign, look.sign, area, false);
    }

    void Handle(XEvent& event)
    {
        if (event.xany.window != window->Handle())
            return;
        switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0)
                window->Show();
            break;
        case MapNotify:
            // Typing goes to the dialog while it is up.
            XSetInputFocus(graphics.XDisplay(), window->Handle(), RevertToParent, CurrentTime);
            break;
        case ClientMessage:
            if (static_cast<Atom>(event.xclient.data.l[0]) == wmDelete)
                answer = buttons.back().answer;
            break;
        case ButtonRelease:
            for (size_t i = 0; i < buttons.size(); ++i)
                if (event.xbutton.x >= ButtonLeft(i) && event.xbutton.x < ButtonLeft(i) + kButtonWidth &&
                    event.xbutton.y >= ButtonTop() && event.xbutton.y < ButtonTop() + kButtonHeight)
                    answer = buttons[i].answer;
            break;
        case KeyPress: {
            char typed[16] = {};
            KeySym keySym = NoSymbol;
            const int length = XLookupString(&event.xkey, typed, sizeof typed - 1, &keySym, nullptr);
            if (keySym == XK_Return || keySym == XK_KP_Enter)
                answer = buttons.front().answer;
            else if (keySym == XK_Escape)
                answer = buttons.back().answer;
            else if (field.has_value()) {
                if (keySym == XK_BackSpace)
                    field->Backspace();
                else if (length > 0 && static_cast<unsigned char>(typed[0]) >= 0x20)
                    field->Insert(std::string(typed, static_cast<size_t>(length)));
                Draw();
            }
            break;
        }
        default:
            break;
        }
    }

    GraphicsX11& graphics;
    std::vector<std::string> lines;
    std::vector<Button> buttons;
    std::optional<TextFieldEditing> field;
    std::optional<MessageIcon> icon;
    TextStyle style;
    int textLeft = kMargin;
    int width = kWidth;
    int height = 0;
    std::optional<X11RasterWindow> window;
    Atom wmDelete = 0;
    std::optional<MessageAnswer> answer;
};

}  // namespace

namespace X11FallbackDialog {

MessageAnswer AskMessage(GraphicsX11& graphics, const char* text, const char* caption, MessageButtons buttons)
{
    std::vector<Button> row = buttons == MessageButtons::kYesNo
                                  ? std::vector<Button>{{"Yes", kAnswerYes}, {"No", kAnswerNo}}
                                  : std::vector<Button>{{"OK", kAnswerOk}};
    Dialog dialog(graphics, text != nullptr ? text : "", caption, std::move(row), std::nullopt, IconOf(buttons));
    return dialog.Run();
}

std::string AskFileName(GraphicsX11& graphics, const std::string& fileName, FileDialogMode mode,
                        const std::string& folder, const char* extensions)
{
    std::string start = folder;
    if (!start.empty() && start.back() != '/')
        start += '/';
    start += fileName;
    TextFieldEditing field(start, kPathLength);
    field.End(false);
    const std::string prompt =
        std::string(mode == FileDialogMode::kSave ? "Save as" : "Open") + " (" + FileDialogPattern(extensions) + "):";
    Dialog dialog(graphics, prompt, mode == FileDialogMode::kSave ? "Save" : "Open",
                  {{"OK", kAnswerOk}, {"Cancel", kAnswerCancel}}, std::move(field), std::nullopt);
    return dialog.Run() == kAnswerOk ? dialog.Typed() : std::string();
}

}  // namespace X11FallbackDialog
