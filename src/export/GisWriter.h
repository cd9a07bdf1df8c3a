#pragma once

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

// A column of a layer the GIS export writes: its name and the kind of values it holds
// (QString, LongLong, Double, Bool, QDate or QDateTime).
struct GisColumn {
    QString name;
    QMetaType::Type type = QMetaType::QString;
};

// Writes points to a GIS file through GDAL. Everything goes to a private folder beside
// the target first; commit() moves the finished files into the target's folder (each
// in one rename). Destroyed without commit (stopped, failed), it removes all it wrote:
// nothing half-written is left at the target. Failures throw automation::Error naming
// the file and the reason.
class GisWriter {
public:
    GisWriter(const GisFormat& format, const QString& path);
    ~GisWriter();
    GisWriter(const GisWriter&) = delete;
    GisWriter& operator=(const GisWriter&) = delete;

    // Starts a layer of WGS 84 points with these columns (names made unique);
    // later points go into it. For a format of one file per dataset, a new file.
    void openLayer(const QString& name, const QVector<GisColumn>& columns);
    // One point at latitude/longitude (degrees) with a value per column (an invalid
    // QVariant: no value).
    void addPoint(double latitude, double longitude, const QVector<QVariant>& values);
    void commit();

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
    QStringList fileNames_;  // taken, lower case (file per dataset)
    QStringList layerNames_; // taken, lower case
    GDALDataset* dataset_ = nullptr;
    OGRLayer* layer_ = nullptr;
    std::unique_ptr<OGRFeature> feature_;
    std::vector<int> columnFields_; // the layer's field of each column
    qint64 pending_ = 0;            // points in the open transaction
    bool inTransaction_ = false;
};

} // namespace exporting
