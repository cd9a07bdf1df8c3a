#pragma once

#include <QMetaType>
#include <QString>
#include <QVariant>
#include <ogr_feature.h>

// How field types and values travel between OGR features and the plain map data.
namespace maphost::fieldvalues {

// The field's type as the map data keeps it: strings, 64-bit integers, reals, booleans
// (integer with the boolean subtype), dates and date-times; anything else (times, lists,
// binaries) is kept as its text.
QMetaType::Type metaTypeOf(const OGRFieldDefn& field);

// The OGR definition that stores values of type; false when the type is not one the
// map data uses.
bool ogrTypeFor(QMetaType::Type type, OGRFieldType& ogrType, OGRFieldSubType& subType);

// Stable names of the field types used in the document's field table.
QString typeName(QMetaType::Type type);
bool typeFromName(const QString& name, QMetaType::Type& type);

// Reads field index of feature as type; an unset or null field gives an invalid QVariant.
QVariant read(const OGRFeature& feature, int index, QMetaType::Type type);

// Writes value (of type, or convertible to it) into field index; an invalid or null
// QVariant writes null. False when the value cannot be converted to the field's type.
bool write(OGRFeature& feature, int index, const QVariant& value, QMetaType::Type type);

} // namespace maphost::fieldvalues
