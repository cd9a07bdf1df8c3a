#include "SymbolPicker.h"

#include "frmSelectPushpinSymbol.h"

namespace actions {

int32_t g_lSelectedSymbol = NoSymbolChosen;

int32_t OpenSymbolPicker(QWidget* owner) {
    g_lSelectedSymbol = NoSymbolChosen;
    frmSelectPushpinSymbol picker(owner);
    picker.exec();
    return g_lSelectedSymbol;
}

} // namespace actions
