// A key the host passes on to the editor (effEditKeyDown/Up), in the
// editor's terms: the framework translates the host's key codes, so the
// editor's windows never see the plug-in format's.
#pragma once

namespace orv::framework {

struct HostKey {
    enum class Name {
        kNone,  // a character key: see character
        kBackspace,
        kReturn,  // Return or Enter
        kEscape,
        kSpace,
        kEnd,
        kHome,
        kLeft,
        kUp,
        kRight,
        kDown,
        kDelete,
        kKeypadDigit,  // see digit
        kOther,        // a named key the editor has no use for
    };
    Name name = Name::kNone;
    int character = 0;  // the character the host reports with the key
    int digit = 0;      // 0..9 for kKeypadDigit
};

// The key of effEditKeyDown/Up's index (character) and value (virtual key).
HostKey HostKeyFromVst(int character, int virtualKey);

}  // namespace orv::framework
