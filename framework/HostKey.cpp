#include "framework/HostKey.h"

#include "framework/VstAbi.h"

namespace orv::framework {

HostKey HostKeyFromVst(int character, int virtualKey)
{
    using Name = HostKey::Name;
    HostKey key;
    key.character = character;
    switch (virtualKey) {
    case 0:
        key.name = Name::kNone;
        return key;
    case vst::VKEY_BACK:
        key.name = Name::kBackspace;
        return key;
    case vst::VKEY_RETURN:
    case vst::VKEY_ENTER:
        key.name = Name::kReturn;
        return key;
    case vst::VKEY_ESCAPE:
        key.name = Name::kEscape;
        return key;
    case vst::VKEY_SPACE:
        key.name = Name::kSpace;
        return key;
    case vst::VKEY_END:
        key.name = Name::kEnd;
        return key;
    case vst::VKEY_HOME:
        key.name = Name::kHome;
        return key;
    case vst::VKEY_LEFT:
        key.name = Name::kLeft;
        return key;
    case vst::VKEY_UP:
        key.name = Name::kUp;
        return key;
    case vst::VKEY_RIGHT:
        key.name = Name::kRight;
        return key;
    case vst::VKEY_DOWN:
        key.name = Name::kDown;
        return key;
    case vst::VKEY_DELETE:
        key.name = Name::kDelete;
        return key;
    default:
        break;
    }
    if (virtualKey >= vst::VKEY_NUMPAD0 && virtualKey <= vst::VKEY_NUMPAD9) {
        key.name = Name::kKeypadDigit;
        key.digit = virtualKey - vst::VKEY_NUMPAD0;
        return key;
    }
    key.name = Name::kOther;
    return key;
}

}  // namespace orv::framework
