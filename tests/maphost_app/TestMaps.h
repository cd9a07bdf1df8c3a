#pragma once

#include "maphost/MapData.h"
#include "maphost/model/HostMap.h"
#include "maphost/view/MapRenderer.h"

#include <QImage>
#include <QPoint>
#include <QStringList>
#include <memory>

// Helpers shared by the host program's tests.
namespace testmaps {

maphost::PushpinData pin(const QString& name, double latitude, double longitude, int symbol = 0);

// A map with one dataset "Places" (fields "Kind", "Rank") holding the given pushpins,
// viewed at the given centre and altitude (miles).
std::shared_ptr<maphost::HostMap> mapWith(std::vector<maphost::PushpinData> pins, double centreLat,
                                          double centreLon, double altitude);

// Renders the map through a renderer without land, so the background is plain sea.
QImage render(maphost::MapRenderer& renderer, QSize size = {640, 480});

QPoint screenOf(const maphost::MapRenderer& renderer, double latitude, double longitude,
                QSize size = {640, 480});

// True when every opaque pixel of picture appears in image with picture centred at
// `centre` (as the view draws symbols).
bool showsPicture(const QImage& image, QPoint centre, const QImage& picture);

// Pixels of rect whose colour is within tolerance of colour.
int countColour(const QImage& image, QRect rect, QColor colour, int tolerance = 8);

// The lines the test add-in logged so far; clearTestAddinLog empties it.
QStringList testAddinLog();
void clearTestAddinLog();

} // namespace testmaps
