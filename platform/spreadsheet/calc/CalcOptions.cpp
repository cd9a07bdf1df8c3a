#include "CalcOptions.h"

#include <QCryptographicHash>
#include <QDir>
#include <QGuiApplication>
#include <QStandardPaths>

namespace spreadsheet::calc {

QString Options::pipeName() const {
    const QByteArray hash =
        QCryptographicHash::hash(QDir::cleanPath(profileDir).toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("locastra_calc_") + QString::fromLatin1(hash.toHex().left(16));
}

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
