#include "CalcOptions.h"

#include <QGuiApplication>
#include <QStandardPaths>

namespace spreadsheet::calc {

Options DefaultOptions() {
    Options options;
    options.profileDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/Locastra/calc-profile");
    const QString platform = QGuiApplication::platformName();
    options.headless = platform == QLatin1String("offscreen") ||
                       platform == QLatin1String("minimal") || platform.isEmpty();
    return options;
}

} // namespace spreadsheet::calc
