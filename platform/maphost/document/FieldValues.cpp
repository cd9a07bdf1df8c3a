#include "FieldValues.h"

#include <QDateTime>
#include <QTimeZone>
#include <cmath>

namespace maphost::fieldvalues {

QMetaType::Type metaTypeOf(const OGRFieldDefn& field) {
    switch (field.GetType()) {
    case OFTInteger:
        return field.GetSubType() == OFSTBoolean ? QMetaType::Bool : QMetaType::LongLong;
    case OFTInteger64:
        return QMetaType::LongLong;
    case OFTReal:
        return QMetaType::Double;
    case OFTDate:
        return QMetaType::QDate;
    case OFTDateTime:
        return QMetaType::QDateTime;
    default:
        return QMetaType::QString;
    }
}

bool ogrTypeFor(QMetaType::Type type, OGRFieldType& ogrType, OGRFieldSubType& subType) {
    subType = OFSTNone;
    switch (type) {
    case QMetaType::QString:
        ogrType = OFTString;
        return true;
    case QMetaType::LongLong:
        ogrType = OFTInteger64;
        return true;
    case QMetaType::Double:
        ogrType = OFTReal;
        return true;
    case QMetaType::Bool:
        ogrType = OFTInteger;
        subType = OFSTBoolean;
        return true;
    case QMetaType::QDate:
        ogrType = OFTDate;
        return true;
    case QMetaType::QDateTime:
        ogrType = OFTDateTime;
        return true;
    default:
        return false;
    }
}

namespace {
struct TypeName {
    QMetaType::Type type;
    const char* name;
};
constexpr TypeName TypeNames[] = {
    {QMetaType::QString, "string"}, {QMetaType::LongLong, "integer"},
    {QMetaType::Double, "real"},    {QMetaType::Bool, "boolean"},
    {QMetaType::QDate, "date"},     {QMetaType::QDateTime, "datetime"},
};

QDateTime readDateTime(const OGRFeature& feature, int index) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, tz = 0;
    float sec = 0;
    const_cast<OGRFeature&>(feature).GetFieldAsDateTime(index, &y, &mo, &d, &h, &mi, &sec, &tz);
    const QDate date(y, mo, d);
    const QTime time = QTime(h, mi).addMSecs(static_cast<int>(std::lround(sec * 1000.0)));
    // OGR's zone flag: 0 unknown, 1 local time, 100 UTC, 100 +/- n offset in quarter hours.
    if (tz == 100)
        return QDateTime(date, time, QTimeZone::utc());
    if (tz > 1)
        return QDateTime(date, time, QTimeZone((tz - 100) * 15 * 60));
    return QDateTime(date, time);
}
} // namespace

QString typeName(QMetaType::Type type) {
    for (const TypeName& t : TypeNames)
        if (t.type == type)
            return QString::fromLatin1(t.name);
    return {};
}

bool typeFromName(const QString& name, QMetaType::Type& type) {
    for (const TypeName& t : TypeNames)
        if (name == QLatin1String(t.name)) {
            type = t.type;
            return true;
        }
    return false;
}

QVariant read(const OGRFeature& feature, int index, QMetaType::Type type) {
    if (!feature.IsFieldSetAndNotNull(index))
        return {};
    switch (type) {
    case QMetaType::LongLong:
        return QVariant(static_cast<qlonglong>(feature.GetFieldAsInteger64(index)));
    case QMetaType::Double:
        return QVariant(feature.GetFieldAsDouble(index));
    case QMetaType::Bool:
        return QVariant(feature.GetFieldAsInteger(index) != 0);
    case QMetaType::QDate: {
        int y = 0, mo = 0, d = 0, h = 0, mi = 0, tz = 0;
        float sec = 0;
        const_cast<OGRFeature&>(feature).GetFieldAsDateTime(index, &y, &mo, &d, &h, &mi, &sec, &tz);
        return QVariant(QDate(y, mo, d));
    }
    case QMetaType::QDateTime:
        return QVariant(readDateTime(feature, index));
    default:
        return QVariant(QString::fromUtf8(feature.GetFieldAsString(index)));
    }
}

bool write(OGRFeature& feature, int index, const QVariant& value, QMetaType::Type type) {
    // An invalid date or date-time (QDate(), QDateTime()) is how Qt spells "no date".
    const bool noDate = (value.typeId() == QMetaType::QDate && !value.toDate().isValid()) ||
                        (value.typeId() == QMetaType::QDateTime && !value.toDateTime().isValid());
    if (!value.isValid() || value.isNull() || noDate) {
        feature.SetFieldNull(index);
        return true;
    }
    bool ok = true;
    switch (type) {
    case QMetaType::QString:
        feature.SetField(index, value.toString().toUtf8().constData());
        return true;
    case QMetaType::LongLong: {
        const qlonglong v = value.toLongLong(&ok);
        if (ok)
            feature.SetField(index, static_cast<GIntBig>(v));
        return ok;
    }
    case QMetaType::Double: {
        const double v = value.toDouble(&ok);
        if (ok)
            feature.SetField(index, v);
        return ok;
    }
    case QMetaType::Bool:
        if (value.typeId() != QMetaType::Bool && !value.canConvert<bool>())
            return false;
        feature.SetField(index, value.toBool() ? 1 : 0);
        return true;
    case QMetaType::QDate: {
        const QDate d = value.toDate();
        if (!d.isValid())
            return false;
        feature.SetField(index, d.year(), d.month(), d.day());
        return true;
    }
    case QMetaType::QDateTime: {
        // Stored in UTC with milliseconds: the same instant comes back.
        const QDateTime dt = value.toDateTime().toUTC();
        if (!dt.isValid())
            return false;
        const QDate d = dt.date();
        const QTime t = dt.time();
        feature.SetField(index, d.year(), d.month(), d.day(), t.hour(), t.minute(),
                         static_cast<float>(t.second() + t.msec() / 1000.0), 100);
        return true;
    }
    default:
        return false;
    }
}

} // namespace maphost::fieldvalues
