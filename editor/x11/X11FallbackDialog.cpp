#include "editor/x11/X11FallbackDialog.h"

#include "editor/FileDialogText.h"
#include "editor/TextFieldEditing.h"
#include "editor/raster/Blit.h"
#include "editor/raster/TextStyle.h"
#include "editor/x11/GraphicsX11.h"
#include "editor/x11/X11RasterWindow.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace orv::editor {

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

constexpr int kTextHeight = 13;
constexpr int kFieldInset = 3;
constexpr int kButtonTextTop = 5;

// The sizes above in pixels at the panel's scale.
struct Metrics {
    int dialogWidth;
    int margin;
    int lineHeight;
    int buttonWidth;
    int buttonHeight;
    int fieldHeight;
    int iconSize;
    int iconSignHeight;
    int textHeight;
    int fieldInset;
    int buttonTextTop;
};

Metrics MetricsAt(const DisplayScale& scale)
{
    return {scale.Pixels(kWidth),       scale.Pixels(kMargin),         scale.Pixels(kLineHeight),
            scale.Pixels(kButtonWidth), scale.Pixels(kButtonHeight),   scale.Pixels(kFieldHeight),
            scale.Pixels(kIconSize),    scale.Pixels(kIconSignHeight), scale.Pixels(kTextHeight),
            scale.Pixels(kFieldInset),  scale.Pixels(kButtonTextTop)};
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
        : graphics(graphics), m(MetricsAt(graphics.Scale())), lines(WrapLines(text)), buttons(std::move(buttons)),
          field(std::move(field)), icon(icon)
    {
        std::strcpy(style.face, "Arial");
        style.height = m.textHeight;
        style.alignment = kTextAlignNear;
        // The icon takes a column of its own; the lines keep their width.
        textLeft = m.margin + (icon.has_value() ? m.iconSize + m.margin : 0);
        width = textLeft + m.dialogWidth - m.margin;
        const int textHeight =
            std::max(static_cast<int>(lines.size()) * m.lineHeight, icon.has_value() ? m.iconSize : 0);
        height = m.margin + textHeight + m.margin + (this->field.has_value() ? m.fieldHeight + m.margin : 0) +
                 m.buttonHeight + m.margin;
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
        return width - m.margin - (count - static_cast<int>(i)) * (m.buttonWidth + m.margin) + m.margin;
    }
    int ButtonTop() const { return height - m.margin - m.buttonHeight; }

    void Draw()
    {
        RasterMemBitmap& bitmap = window->Bitmap();
        FillRectangle(bitmap, 0, 0, width, height, kBackground, 1.0f, kRasterCopy);
        TextStyle text = style;
        text.colour = kBlack;
        if (icon.has_value())
            DrawIcon(bitmap, *icon);
        for (size_t i = 0; i < lines.size(); ++i) {
            RasterRect area{textLeft, m.margin + static_cast<int>(i) * m.lineHeight, width - m.margin, height};
            DrawStyledText(&bitmap, text, lines[i], area, false);
        }
        if (field.has_value()) {
            const int top = m.margin + static_cast<int>(lines.size()) * m.lineHeight + m.margin;
            FillRectangle(bitmap, m.margin - 1, top - 1, width - 2 * m.margin + 2, m.fieldHeight + 2, kFrame, 1.0f,
                          kRasterCopy);
            FillRectangle(bitmap, m.margin, top, width - 2 * m.margin, m.fieldHeight, kWhite, 1.0f, kRasterCopy);
            RasterRect area{m.margin + m.fieldInset, top + m.fieldInset, width - m.margin, top + m.fieldHeight};
            const std::string shown = field->Text() + "|";
            DrawStyledText(&bitmap, text, shown, area, false);
        }
        for (size_t i = 0; i < buttons.size(); ++i) {
            FillRectangle(bitmap, ButtonLeft(i), ButtonTop(), m.buttonWidth, m.buttonHeight, kFrame, 1.0f, kRasterCopy);
            FillRectangle(bitmap, ButtonLeft(i) + 1, ButtonTop() + 1, m.buttonWidth - 2, m.buttonHeight - 2,
                          kButtonFace, 1.0f, kRasterCopy);
            TextStyle label = text;
            label.alignment = kTextAlignCentre;
            RasterRect area{ButtonLeft(i), ButtonTop() + m.buttonTextTop, ButtonLeft(i) + m.buttonWidth,
                            ButtonTop() + m.buttonHeight};
            DrawStyledText(&bitmap, label, buttons[i].label, area, false);
        }
        window->Show();
    }

    void DrawIcon(RasterMemBitmap& bitmap, MessageIcon shown)
    {
        const IconLook look = LookOf(shown);
        FillDisc(bitmap, m.margin, m.margin, m.iconSize, look.colour);
        TextStyle sign;
        std::strcpy(sign.face, "Arial");
        sign.height = m.iconSignHeight;
        sign.style = kTextBold;
        sign.alignment = kTextAlignCentre;
        sign.colour = kWhite;
        const int signTop = m.margin + (m.iconSize - m.iconSignHeight) / 2;
        RasterRect area{m.margin, signTop, m.margin + m.iconSize, signTop + m.iconSignHeight};
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
                if (event.xbutton.x >= ButtonLeft(i) && event.xbutton.x < ButtonLeft(i) + m.buttonWidth &&
                    event.xbutton.y >= ButtonTop() && event.xbutton.y < ButtonTop() + m.buttonHeight)
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
    const Metrics m;
    std::vector<std::string> lines;
    std::vector<Button> buttons;
    std::optional<TextFieldEditing> field;
    std::optional<MessageIcon> icon;
    TextStyle style;
    int textLeft = 0;
    int width = 0;
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

}  // namespace orv::editor
