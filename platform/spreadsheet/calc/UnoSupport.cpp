#include "UnoSupport.h"


namespace spreadsheet::calc {

void throwCalcUnavailable() {
    throw automation::Error(
        CalcUnavailable, QStringLiteral("LibreOffice Calc was closed or has stopped responding."));
}

void throwAsAutomationError(const css::uno::Exception& e) {
    const QString message = toQString(e.Message);
    throw automation::Error(CalcRefused, message.isEmpty()
                                             ? QStringLiteral("LibreOffice Calc refused the call.")
                                             : QStringLiteral("LibreOffice Calc: %1").arg(message));
}

} // namespace spreadsheet::calc
