#include "editor/TextEntrySession.h"

namespace orv::editor {

void TextEntrySession::Open(Control* editedControl, framework::Parameter* editedParameter)
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

}  // namespace orv::editor
