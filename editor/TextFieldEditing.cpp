#include "editor/TextFieldEditing.h"

namespace orv::editor {

namespace {

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xc0) == 0x80;
}

// The byte length of the first `characters` whole characters of s.
size_t PrefixBytes(const std::string& s, size_t characters)
{
    size_t i = 0;
    while (i < s.size() && characters > 0) {
        ++i;
        while (i < s.size() && IsContinuationByte(s[i]))
            ++i;
        --characters;
    }
    return i;
}

}  // namespace

TextFieldEditing::TextFieldEditing(const std::string& initial, size_t maxCharacters)
    : text(initial.substr(0, PrefixBytes(initial, maxCharacters))), maxCharacters(maxCharacters)
{
    SelectAll();
}

size_t TextFieldEditing::CharacterCount() const
{
    size_t count = 0;
    for (char c : text)
        count += IsContinuationByte(c) ? 0 : 1;
    return count;
}

size_t TextFieldEditing::PreviousBoundary(size_t position) const
{
    if (position == 0)
        return 0;
    --position;
    while (position > 0 && IsContinuationByte(text[position]))
        --position;
    return position;
}

size_t TextFieldEditing::NextBoundary(size_t position) const
{
    if (position >= text.size())
        return text.size();
    ++position;
    while (position < text.size() && IsContinuationByte(text[position]))
        ++position;
    return position;
}

void TextFieldEditing::EraseSelection()
{
    const size_t start = SelectionStart();
    text.erase(start, SelectionEnd() - start);
    caret = anchor = start;
}

void TextFieldEditing::Insert(const std::string& typed)
{
    EraseSelection();
    const size_t room = maxCharacters > CharacterCount() ? maxCharacters - CharacterCount() : 0;
    const std::string fitting = typed.substr(0, PrefixBytes(typed, room));
    text.insert(caret, fitting);
    caret = anchor = caret + fitting.size();
}

void TextFieldEditing::Backspace()
{
    if (!HasSelection())
        anchor = PreviousBoundary(caret);
    EraseSelection();
}

void TextFieldEditing::Delete()
{
    if (!HasSelection())
        anchor = NextBoundary(caret);
    EraseSelection();
}

void TextFieldEditing::Left(bool extend)
{
    if (!extend && HasSelection())
        caret = SelectionStart();
    else
        caret = PreviousBoundary(caret);
    if (!extend)
        anchor = caret;
}

void TextFieldEditing::Right(bool extend)
{
    if (!extend && HasSelection())
        caret = SelectionEnd();
    else
        caret = NextBoundary(caret);
    if (!extend)
        anchor = caret;
}

void TextFieldEditing::Home(bool extend)
{
    caret = 0;
    if (!extend)
        anchor = caret;
}

void TextFieldEditing::End(bool extend)
{
    caret = text.size();
    if (!extend)
        anchor = caret;
}

void TextFieldEditing::SelectAll()
{
    anchor = 0;
    caret = text.size();
}

void TextFieldEditing::PlaceCaret(size_t position)
{
    position = position > text.size() ? text.size() : position;
    while (position > 0 && position < text.size() && IsContinuationByte(text[position]))
        --position;
    caret = anchor = position;
}

}  // namespace orv::editor
