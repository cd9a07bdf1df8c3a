#pragma once

#include <QImage>
#include <QMetaType>
#include <QPointF>
#include <QString>
#include <QVariant>
#include <QVector>
#include <vector>

// Plain data of one map document: what the host model holds and what a map
// document stores. No behaviour here; the model and the document reader/writer
// share these types.
namespace maphost {

struct FieldDef {
    QString name;
    // QMetaType::QString, LongLong, Double, Bool, QDate or QDateTime.
    QMetaType::Type type = QMetaType::QString;
};

struct PushpinData {
    QString name;
    QString note;
    double latitude = 0;  // degrees, north positive
    double longitude = 0; // degrees, east positive
    int symbol = 0;
    bool highlight = false;
    int balloonState = 0; // 0 closed, 1 name only, 2 all information
    // One value per field of the dataset, in field order; invalid QVariant = no value.
    QVector<QVariant> values;
};

struct DataSetData {
    QString name;
    int symbol = 0;
    QVector<FieldDef> fields;
    std::vector<PushpinData> pushpins; // record order
};

struct CustomSymbolData {
    int id = 256;
    QString name;
    QImage image;
};

enum class ShapeKind { Rectangle, Oval, RadiusCircle, Freeform, DriveTimeZone, Line, TextBox };

struct ShapeData {
    ShapeKind kind = ShapeKind::Rectangle;
    QString name;
    // Outline in degrees (x = longitude, y = latitude): the polygon of an area shape
    // (ovals and circles as many-sided polygons), the vertices of a line, the anchor
    // of a text box. Longitudes may run past 180 for a shape across the 180th meridian.
    QVector<QPointF> points;
    QString text; // text box contents
};

struct ViewData {
    double centerLatitude = 20;
    double centerLongitude = 0;
    double altitude = 8000;
    int units = 0; // 0 miles, 1 kilometres
};

struct MapData {
    std::vector<DataSetData> dataSets; // map order
    std::vector<CustomSymbolData> customSymbols;
    std::vector<ShapeData> shapes;
    ViewData view;
};

} // namespace maphost
