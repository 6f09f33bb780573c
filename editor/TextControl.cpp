#include "editor/TextControl.h"

#include "editor/Graphics.h"

namespace orv::editor {

TextControl::TextControl(framework::PluginBase* plug, const Rect& rect, const TextStyle& style,
                         const std::string& initialText)
    : Control(plug, rect, -1, Blend{kBlendNone, 1.0f}), string(initialText)
{
    text = style;
}

bool TextControl::Draw(Graphics& graphics)
{
    if (string.empty())
        return true;
    Rect area = rect;
    return graphics.DrawStyledText(text, string.c_str(), area, false);
}

void TextControl::SetTextFromParameter(const std::string& newText)
{
    if (newText == string)
        return;
    MarkDirty(false);
    string = newText;
}

}  // namespace orv::editor
