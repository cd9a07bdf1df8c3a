#include "SymbolFile.h"

#include "automation/Error.h"

#include <QFileInfo>
#include <QImageReader>

namespace mappoint {

QImage ReadSymbolPictureFile(const QString& fileName) {
    // A pipe, socket or device would block the reader for ever.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        throw automation::Error(automation::errors::FileError,
                                QStringLiteral("\"%1\" cannot be read as a picture: it is not a "
                                               "regular file")
                                    .arg(fileName));
    QImageReader reader(fileName);
    const QImage image = reader.read();
    if (image.isNull())
        throw automation::Error(automation::errors::FileError,
                                QStringLiteral("\"%1\" cannot be read as a picture: %2")
                                    .arg(fileName, reader.errorString()));
    return image;
}

} // namespace mappoint
