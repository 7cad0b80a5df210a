#include "KeyMap.h"

#include <set>
#include <utility>

namespace {

struct KeyPair {
    int qt;
    UINT vk;
};

const KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},   {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},    {Qt::Key_Enter, VK_RETURN},    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},  {Qt::Key_Alt, VK_MENU},        {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},      {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},          {Qt::Key_Home, VK_HOME},       {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},            {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},    {Qt::Key_Delete, VK_DELETE},   {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Equal, VK_OEM_PLUS},   {Qt::Key_Comma, VK_OEM_COMMA}, {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
};

const KeyPair kKeypad[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},     {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

}  // namespace

UINT VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return VK_NUMPAD0 + UINT(qtKey - Qt::Key_0);
        for (const KeyPair& k : kKeypad)
            if (k.qt == qtKey)
                return k.vk;
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return UINT(qtKey);  // same codes as ASCII upper case and digits
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return VK_F1 + UINT(qtKey - Qt::Key_F1);
    for (const KeyPair& k : kKeys)
        if (k.qt == qtKey)
            return k.vk;
    return 0;
}

WPARAM MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    WPARAM f = 0;
    if (buttons & Qt::LeftButton)
        f |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        f |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        f |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        f |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        f |= MK_CONTROL;
    return f;
}

namespace {

std::set<UINT> g_keysDown;  // user-interface thread

}  // namespace

void NoteKeyEvent(UINT vk, bool down, Qt::KeyboardModifiers modifiers)
{
    // Every key event also tells which modifiers are held, which heals a release we missed.
    const std::pair<UINT, Qt::KeyboardModifier> mods[] = {
        {VK_SHIFT, Qt::ShiftModifier}, {VK_CONTROL, Qt::ControlModifier}, {VK_MENU, Qt::AltModifier}};
    for (const auto& m : mods) {
        if (m.first == vk)
            continue;
        if (modifiers & m.second)
            g_keysDown.insert(m.first);
        else
            g_keysDown.erase(m.first);
    }
    if (!vk)
        return;
    if (down)
        g_keysDown.insert(vk);
    else
        g_keysDown.erase(vk);
}

bool KeyNotedDown(UINT vk) { return g_keysDown.count(vk) != 0; }
