// The life of an in-place text entry opened over a control, the same on
// every platform: the window reports what happens to its edit box, and the
// redraw timer commits or drops the text one tick later.
//
// A click on the panel commits what was typed, except within the first
// timer tick after the box took the keyboard focus: that click is the one
// that opened it, or came too soon to be meant for it, and cancels instead.
#pragma once

namespace orv::framework {
class Parameter;
}  // namespace orv::framework

namespace orv::editor {

class Control;

class TextEntrySession {
public:
    enum class State {
        kIdle,             // open, nothing pending
        kFocused,          // the box took the focus and no tick has passed since
        kPainted,          // the panel around the box was just redrawn
        kCancelRequested,  // drop the text on the next tick
        kCommitRequested,  // take the text on the next tick
    };

    void Open(Control* control, framework::Parameter* parameter);
    void Close();
    bool IsOpen() const { return control != nullptr; }
    State GetState() const { return state; }
    Control* EditedControl() const { return control; }
    framework::Parameter* EditedParameter() const { return parameter; }

    // --- what the window reports ---------------------------------------------
    void FocusGained() { Request(State::kFocused); }
    void FocusLost() { Request(State::kCommitRequested); }
    void EnterPressed() { Request(State::kCommitRequested); }
    void EscapePressed() { Request(State::kCancelRequested); }
    void WheelTurned() { Request(State::kCancelRequested); }
    void PanelPressed() { Request(state == State::kFocused ? State::kCancelRequested : State::kCommitRequested); }
    void Cancel() { Request(State::kCancelRequested); }

    // --- what the timer does ---------------------------------------------------
    void MarkPainted() { Request(State::kPainted); }
    void MarkIdle() { Request(State::kIdle); }

private:
    void Request(State next)
    {
        if (IsOpen())
            state = next;
    }

    Control* control = nullptr;
    framework::Parameter* parameter = nullptr;
    State state = State::kIdle;
};

}  // namespace orv::editor
