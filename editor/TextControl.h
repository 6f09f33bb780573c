// A text shown in a rectangle with the control's text style: fixed, or set
// by another control it is linked to.
#pragma once

#include "editor/Control.h"

#include <string>

namespace orv::editor {

class TextControl : public Control {
public:
    TextControl(framework::PluginBase* plug, const Rect& rect, const TextStyle& style, const std::string& initialText);

    bool Draw(Graphics& graphics) override;
    // Replaces the text; redraws only when it changed.
    void SetTextFromParameter(const std::string& newText);
    const std::string& String() const { return string; }

private:
    std::string string;
};

}  // namespace orv::editor
