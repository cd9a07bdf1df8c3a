#include "SymbolPictureVariables.h"

#include "ProjectSymbolTable.h"

#include <QBuffer>
#include <QPainter>
#include <qgsexpressioncontextutils.h>
#include <qgsproject.h>

namespace qgishost {

namespace {

QString pictureData(const QImage& picture) {
    QImage square(SymbolPictureVariables::PictureSize, SymbolPictureVariables::PictureSize,
                  QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    {
        QPainter painter(&square);
        painter.drawImage((square.width() - picture.width()) / 2,
                          (square.height() - picture.height()) / 2, picture);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    square.save(&buffer, "PNG");
    return QStringLiteral("base64:") + QString::fromLatin1(png.toBase64());
}

} // namespace

SymbolPictureVariables::SymbolPictureVariables(QgsProject& project,
                                               const ProjectSymbolTable& symbols)
    : project_(project), symbols_(symbols) {
    const auto forget = [this] {
        published_.clear();
    };
    QObject::connect(&project_, &QgsProject::customVariablesChanged, &context_, forget);
    QObject::connect(&project_, &QgsProject::cleared, &context_, forget);
    QObject::connect(&project_, &QgsProject::readProject, &context_, forget);
}

void SymbolPictureVariables::publish(int16_t symbol) {
    if (published_.contains(symbol))
        return;
    const QString name = Prefix + QString::number(symbol);
    const QString data = pictureData(symbols_.picture(symbol));
    if (project_.customVariables().value(name).toString() != data)
        QgsExpressionContextUtils::setProjectVariable(&project_, name, data);
    published_.insert(symbol);
}

} // namespace qgishost
