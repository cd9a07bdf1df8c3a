#include "ProjectSymbolTable.h"

#include "automation/Error.h"
#include "mappoint/SymbolFile.h"
#include "mappoint/SymbolNames.h"
#include "mappoint/SymbolPictures.h"
#include "mappoint/Types.h"

#include <QBuffer>
#include <qgsproject.h>

namespace qgishost {

using automation::Error;
namespace errors = automation::errors;

namespace {

constexpr int BuiltInCount = mappoint::BuiltInSymbolCount;
const QString Scope = QStringLiteral("Locastra");
const QString CountKey = QStringLiteral("/CustomSymbols/Count");

QString symbolKey(int symbol, const char* what) {
    return QStringLiteral("/CustomSymbols/S%1/%2").arg(symbol).arg(QLatin1String(what));
}

QByteArray pngBase64(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.toBase64();
}

} // namespace

int32_t ProjectSymbolTable::customCount() const {
    return std::max(0, project_.readNumEntry(Scope, CountKey, 0));
}

bool ProjectSymbolTable::has(int symbol) const {
    return symbol >= 0 && symbol < BuiltInCount + customCount();
}

void ProjectSymbolTable::check(int symbol) const {
    if (!has(symbol))
        throw Error(errors::InvalidArgument,
                    QStringLiteral("The map has no symbol %1").arg(symbol));
}

int16_t ProjectSymbolTable::customId(int32_t position) const {
    if (position < 0 || position >= customCount())
        throw Error(errors::ItemNotFound,
                    QStringLiteral("There is no custom symbol at position %1").arg(position));
    return int16_t(BuiltInCount + position);
}

QString ProjectSymbolTable::name(int16_t symbol) const {
    check(symbol);
    if (symbol < BuiltInCount)
        return mappoint::BuiltInSymbolName(symbol);
    return project_.readEntry(Scope, symbolKey(symbol, "Name"));
}

void ProjectSymbolTable::setName(int16_t symbol, const QString& name) {
    check(symbol);
    if (symbol < BuiltInCount)
        throw Error(errors::NotSupported, QStringLiteral("A built-in symbol cannot be renamed"));
    if (project_.readEntry(Scope, symbolKey(symbol, "Name")) != name)
        project_.writeEntry(Scope, symbolKey(symbol, "Name"), name);
}

int16_t ProjectSymbolTable::add(const QString& fileName) {
    QImage image = mappoint::ReadSymbolPictureFile(fileName);
    const int32_t count = customCount();
    if (BuiltInCount + count > INT16_MAX)
        throw Error(errors::Overflow, QStringLiteral("The map holds as many symbols as it can"));
    if (image.width() > CustomPictureMaxPixels || image.height() > CustomPictureMaxPixels)
        image = image.scaled(CustomPictureMaxPixels, CustomPictureMaxPixels, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    const int16_t id = int16_t(BuiltInCount + count);
    project_.writeEntry(Scope, symbolKey(id, "Name"), mappoint::CustomSymbolName(fileName));
    project_.writeEntry(Scope, symbolKey(id, "Picture"), QString::fromLatin1(pngBase64(image)));
    project_.writeEntry(Scope, CountKey, count + 1);
    return id;
}

QImage ProjectSymbolTable::picture(int16_t symbol) const {
    check(symbol);
    if (symbol < BuiltInCount)
        return mappoint::BuiltInSymbolPicture(symbol);
    const QByteArray png =
        QByteArray::fromBase64(project_.readEntry(Scope, symbolKey(symbol, "Picture")).toLatin1());
    return QImage::fromData(png, "PNG");
}

} // namespace qgishost
