#include "SymbolNames.h"

#include <QFileInfo>

namespace mappoint {

QString BuiltInSymbolName(int id) {
    return QStringLiteral("Symbol %1").arg(id);
}

QString CustomSymbolName(const QString& fileName) {
    return QFileInfo(fileName).completeBaseName();
}

} // namespace mappoint
