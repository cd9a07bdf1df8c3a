#pragma once

#include <cstdint>

class QWidget;

namespace actions {

// The picker result: the symbol number frmSelectPushpinSymbol leaves for its caller.
// The picker writes it only when the user makes a choice; NoSymbolChosen still being
// there afterwards means no choice.
extern int32_t g_lSelectedSymbol;
constexpr int32_t NoSymbolChosen = 300;

// The contract for every caller: sets the picker result to 300, shows the picker
// modally over owner, and returns the picker result (300: no choice, else 0 to 255).
int32_t OpenSymbolPicker(QWidget* owner);

} // namespace actions
