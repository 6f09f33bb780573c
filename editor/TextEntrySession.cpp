#include "editor/TextEntrySession.h"

void TextEntrySession::Open(Control* editedControl, Parameter* editedParameter)
{
    control = editedControl;
    parameter = editedParameter;
    state = State::kIdle;
}

void TextEntrySession::Close()
{
    control = nullptr;
    parameter = nullptr;
    state = State::kIdle;
}
