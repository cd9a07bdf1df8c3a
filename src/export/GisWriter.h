#pragma once

#include "GisColumns.h"
#include "GisFormat.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <QVector>
#include <cpl_error.h>
#include <memory>
#include <vector>

class GDALDataset;
class OGRFeature;
class OGRLayer;

namespace exporting {

// Writes points to a GIS file through GDAL. Everything goes to a private folder beside
// the target first; commit() moves the finished files into the target's folder all or
// nothing, removing what belonged to the files they replace (a Shapefile's old index).
// Destroyed without commit (stopped, failed), it removes all it wrote: nothing
// half-written is left at the target, and earlier files stay as they were. Failures
// throw automation::Error naming the file and the reason.
class GisWriter {
public:
    GisWriter(const GisFormat& format, const QString& path);
    ~GisWriter();
    GisWriter(const GisWriter&) = delete;
    GisWriter& operator=(const GisWriter&) = delete;

    // Starts a layer of WGS 84 points with these columns (names made unique and as
    // short as the format needs); later points go into it. name is the layer's, made
    // safe and unique; for a format of one file per dataset the new file's name
    // without its extension, unique already.
    void openLayer(const QString& name, const QVector<GisColumn>& columns);
    // One point at latitude/longitude (degrees) with a value per column (an invalid
    // QVariant: no value).
    void addPoint(double latitude, double longitude, const QVector<QVariant>& values);
    // Moves the files into place; returns the files written (with the format's
    // extension, not their side files).
    QStringList commit();

private:
    [[noreturn]] void fail(const QString& reason) const;
    // Builds the open layer's spatial index where the format builds it at the end.
    void indexLayer();
    void closeDataset();
    void setValue(int index, const QVariant& value);

    // GDAL's messages go into the errors thrown, not to the console.
    CPLErrorHandlerPusher quiet_{CPLQuietErrorHandler};
    const GisFormat format_; // a copy: callers may pass a temporary
    QString path_;
    QString folder_;
    QTemporaryDir staging_;
    QStringList layerNames_; // taken, lower case
    GDALDataset* dataset_ = nullptr;
    OGRLayer* layer_ = nullptr;
    std::unique_ptr<OGRFeature> feature_;
    std::vector<int> columnFields_; // the layer's field of each column
    qint64 pending_ = 0;            // points in the open transaction
    bool inTransaction_ = false;
};

} // namespace exporting
