// The text, caret and selection of a one-line text field, and the edits a
// user makes with the keyboard. The windows that draw their own field keep
// one of these; it knows nothing of drawing or of keys' codes.
//
// Positions are byte offsets into UTF-8 text that always fall between whole
// characters. The selection runs from the anchor to the caret.
#pragma once

#include <cstddef>
#include <string>

namespace orv::editor {

class TextFieldEditing {
public:
    // The text is cut to maxCharacters; everything is selected, as a field
    // opened over a value is.
    TextFieldEditing(const std::string& text, size_t maxCharacters);

    const std::string& Text() const { return text; }
    size_t Caret() const { return caret; }
    size_t SelectionStart() const { return caret < anchor ? caret : anchor; }
    size_t SelectionEnd() const { return caret < anchor ? anchor : caret; }
    bool HasSelection() const { return caret != anchor; }

    // Replaces the selection; characters beyond the limit are dropped.
    void Insert(const std::string& typed);
    void Backspace();
    void Delete();
    // extend keeps the anchor (Shift held).
    void Left(bool extend);
    void Right(bool extend);
    void Home(bool extend);
    void End(bool extend);
    void SelectAll();
    // A click: the caret to a position, nothing selected.
    void PlaceCaret(size_t position);

private:
    size_t CharacterCount() const;
    size_t PreviousBoundary(size_t position) const;
    size_t NextBoundary(size_t position) const;
    void EraseSelection();

    std::string text;
    size_t maxCharacters;
    size_t caret = 0;
    size_t anchor = 0;
};

}  // namespace orv::editor
