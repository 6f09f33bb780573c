#include "tests/windows/UserInput.h"

#include "tests/windows/HostWindow.h"

#include <vector>

namespace wintest {

namespace {

constexpr DWORD kDeliveryMilliseconds = 30;
constexpr int kAbsoluteRange = 65535;  // SendInput's absolute coordinates span the screen

void Send(INPUT input)
{
    SendInput(1, &input, sizeof input);
    PumpMessages(kDeliveryMilliseconds);
}

INPUT MouseInput(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

void PressButton(DWORD flags)
{
    Send(MouseInput(flags));
}

INPUT KeyInput(WORD virtualKey, WORD character, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = character;
    input.ki.dwFlags = flags;
    return input;
}

}  // namespace

void MoveMouse(HWND window, POINT to)
{
    ClientToScreen(window, &to);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    input.mi.dx = MulDiv(to.x, kAbsoluteRange, width - 1);
    input.mi.dy = MulDiv(to.y, kAbsoluteRange, height - 1);
    Send(input);
}

void Click(HWND window, POINT at)
{
    MoveMouse(window, at);
    PressButton(MOUSEEVENTF_LEFTDOWN);
    PressButton(MOUSEEVENTF_LEFTUP);
}

void Drag(HWND window, POINT from, POINT to, int steps)
{
    MoveMouse(window, from);
    PressButton(MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= steps; ++i)
        MoveMouse(window, {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    PressButton(MOUSEEVENTF_LEFTUP);
}

void TurnWheel(HWND window, POINT at, int notches)
{
    MoveMouse(window, at);
    INPUT input = MouseInput(MOUSEEVENTF_WHEEL);
    input.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
    Send(input);
}

void PressKey(WORD virtualKey)
{
    Send(KeyInput(virtualKey, 0, 0));
    Send(KeyInput(virtualKey, 0, KEYEVENTF_KEYUP));
}

void TypeText(const wchar_t* text)
{
    std::vector<INPUT> typing;
    for (; *text != L'\0'; ++text) {
        typing.push_back(KeyInput(0, *text, KEYEVENTF_UNICODE));
        typing.push_back(KeyInput(0, *text, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    SendInput(static_cast<UINT>(typing.size()), typing.data(), sizeof(INPUT));
    PumpMessages(kDeliveryMilliseconds * 3);
}

}  // namespace wintest
