#include "QgisField.h"

#include "QgisErrors.h"
#include "QgisLayer.h"

#include <qgsvectorlayer.h>

namespace qgishost {

QMetaType::Type QgisField::typeOf(QVariant::Type type) {
    switch (type) {
    case QVariant::Int:
    case QVariant::UInt:
    case QVariant::LongLong:
    case QVariant::ULongLong:
        return QMetaType::LongLong;
    case QVariant::Double:
        return QMetaType::Double;
    case QVariant::Bool:
        return QMetaType::Bool;
    case QVariant::Date:
        return QMetaType::QDate;
    case QVariant::DateTime:
        return QMetaType::QDateTime;
    default:
        return QMetaType::QString;
    }
}

int QgisField::index() const {
    const int i = layer_->checked().fields().indexFromName(name_);
    if (i < 0)
        throwObjectDeleted(QStringLiteral("field \"%1\"").arg(name_));
    return i;
}

QString QgisField::Name() {
    index();
    return name_;
}

QMetaType::Type QgisField::Type() {
    return typeOf(layer_->checked().fields().at(index()).type());
}

QVariant QgisField::Value() {
    const int i = index();
    if (!record_)
        throwNotSupported(QStringLiteral("A field definition has no value"));
    const QVariant value = record_->attribute(i);
    if (value.isNull())
        return {};
    switch (typeOf(layer_->checked().fields().at(i).type())) {
    case QMetaType::LongLong:
        return value.toLongLong();
    case QMetaType::Double:
        return value.toDouble();
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QDate:
        return value.toDate();
    case QMetaType::QDateTime:
        return value.toDateTime();
    default:
        return value.toString();
    }
}

} // namespace qgishost
