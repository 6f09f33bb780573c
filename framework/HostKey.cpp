#include "framework/HostKey.h"

#include "framework/VstAbi.h"

namespace orv::framework {

namespace {

struct NamedVirtualKey {
    int virtualKey;
    HostKey::Name name;
};

constexpr NamedVirtualKey kNamedVirtualKeys[] = {
    {vst::VKEY_BACK, HostKey::Name::kBackspace}, {vst::VKEY_RETURN, HostKey::Name::kReturn},
    {vst::VKEY_ENTER, HostKey::Name::kReturn},   {vst::VKEY_ESCAPE, HostKey::Name::kEscape},
    {vst::VKEY_SPACE, HostKey::Name::kSpace},    {vst::VKEY_END, HostKey::Name::kEnd},
    {vst::VKEY_HOME, HostKey::Name::kHome},      {vst::VKEY_LEFT, HostKey::Name::kLeft},
    {vst::VKEY_UP, HostKey::Name::kUp},          {vst::VKEY_RIGHT, HostKey::Name::kRight},
    {vst::VKEY_DOWN, HostKey::Name::kDown},      {vst::VKEY_DELETE, HostKey::Name::kDelete},
};

}  // namespace

HostKey HostKeyFromVst(int character, int virtualKey)
{
    HostKey key;
    key.character = character;
    if (virtualKey == 0)
        return key;  // a character key
    for (const NamedVirtualKey& named : kNamedVirtualKeys) {
        if (named.virtualKey == virtualKey) {
            key.name = named.name;
            return key;
        }
    }
    if (virtualKey >= vst::VKEY_NUMPAD0 && virtualKey <= vst::VKEY_NUMPAD9) {
        key.name = HostKey::Name::kKeypadDigit;
        key.digit = virtualKey - vst::VKEY_NUMPAD0;
        return key;
    }
    key.name = HostKey::Name::kOther;
    return key;
}

}  // namespace orv::framework
