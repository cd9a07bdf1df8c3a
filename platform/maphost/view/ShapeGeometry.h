#pragma once

#include "maphost/MapData.h"

#include <QPointF>
#include <QRectF>
#include <QVector>

// Outlines of the shapes the drawing tools make, in degrees (x = longitude,
// y = latitude). Screen-drawn shapes arrive as world points (see MapProjection)
// so a rectangle or oval drawn on screen stays one on the map.
namespace maphost::shapes {

QPointF worldToDegrees(QPointF world);

ShapeData rectangle(QPointF worldA, QPointF worldB);
// The ellipse inscribed in the rectangle, as a polygon of `sides` vertices.
ShapeData oval(QPointF worldA, QPointF worldB, int sides = 72);
// A circle of `radius` map units around a centre, vertices on the sphere.
ShapeData radiusCircle(double latitude, double longitude, double radius, int units, int sides = 72);
// A drive-time zone: the area reachable within `minutes` at an average speed of
// 60 km/h, approximated by an irregular polygon around the start.
ShapeData driveTimeZone(double latitude, double longitude, double minutes);
ShapeData freeform(const QVector<QPointF>& worldPoints);
ShapeData line(QPointF worldA, QPointF worldB);
ShapeData textBox(QPointF world, const QString& text);

// The point reached from a start after `distanceKm` along `bearingDeg` on the sphere.
QPointF destination(double latitude, double longitude, double bearingDeg, double distanceKm);

} // namespace maphost::shapes
