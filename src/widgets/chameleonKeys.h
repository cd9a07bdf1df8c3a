#pragma once

#include <Qt>

// Translation of Qt input into the numbers the button's events carry.
namespace chameleonKeys {

// Virtual-key code of a Qt key (32 space, 37 to 40 left/up/right/down, 65 to 90 letters),
// 0 when the key has none.
int virtualKey(int qtKey);
// 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers);
// 1 left, 2 right, 4 middle.
int mouseButton(Qt::MouseButton button);
int mouseButtons(Qt::MouseButtons buttons);

} // namespace chameleonKeys
