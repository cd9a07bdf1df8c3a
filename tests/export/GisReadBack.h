#pragma once

// Reading GIS files back through GDAL, as a user's GIS would read them.
#include "ExportTestSupport.h"
#include "export/GisFormat.h"

#include <QDir>
#include <QFileInfo>
#include <cpl_string.h>
#include <gdal_priv.h>
#include <map>
#include <ogrsf_frmts.h>
#include <ostream>

// Readable QString and QStringList values in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{' << list.join(", ").toStdString() << '}';
}

namespace exporttest {

// What a reader finds in one point.
struct ReadPoint {
    QString layer;
    double latitude = 0;
    double longitude = 0;
    std::map<QString, QString> text;       // field name (lower case) -> value as text
    std::map<QString, OGRFieldType> types; // field name (lower case) -> type
    QStringList fields;                    // the field names as written, in order
};

// A point's fields, for failure messages.
inline std::string fieldsOf(const ReadPoint& point) {
    std::string text;
    for (const auto& [name, value] : point.text)
        text += name.toStdString() + "=" + value.toStdString() + "; ";
    return text;
}

inline const exporting::GisFormat& gisFormat(const char* extension) {
    return *exporting::GisFormatFor(QStringLiteral("x.") + extension, 0);
}

// A file as GDAL opens it; a CSV file with its coordinate columns as points.
inline GDALDatasetUniquePtr openGis(const QString& path) {
    GDALAllRegister();
    CPLStringList options;
    if (QFileInfo(path).suffix() == "csv") {
        options.AddString("X_POSSIBLE_NAMES=Longitude");
        options.AddString("Y_POSSIBLE_NAMES=Latitude");
    }
    return GDALDatasetUniquePtr(GDALDataset::Open(path.toUtf8().constData(), GDAL_OF_VECTOR,
                                                  nullptr, options.List(), nullptr));
}

// Every point of every layer of the files GDAL opens at paths.
inline std::vector<ReadPoint> readBack(const QStringList& paths) {
    std::vector<ReadPoint> points;
    for (const QString& path : paths) {
        GDALDatasetUniquePtr ds = openGis(path);
        EXPECT_TRUE(ds) << path.toStdString();
        if (!ds)
            continue;
        for (OGRLayer* layer : ds->GetLayers()) {
            for (const auto& feature : *layer) {
                ReadPoint p;
                p.layer = QString::fromUtf8(layer->GetName());
                if (auto* point = dynamic_cast<OGRPoint*>(feature->GetGeometryRef())) {
                    p.latitude = point->getY();
                    p.longitude = point->getX();
                }
                for (int i = 0; i < feature->GetFieldCount(); ++i) {
                    const OGRFieldDefn* def = feature->GetFieldDefnRef(i);
                    p.fields << QString::fromUtf8(def->GetNameRef());
                    QString name = p.fields.back().toLower();
                    // GDAL's GPX reader names extension elements "ogr_<element>".
                    if (name.startsWith("ogr_"))
                        name = name.mid(4);
                    p.types[name] = def->GetType();
                    if (feature->IsFieldSetAndNotNull(i))
                        p.text[name] = QString::fromUtf8(feature->GetFieldAsString(i));
                }
                points.push_back(std::move(p));
            }
        }
    }
    return points;
}

// The layer names of a file, in order.
inline QStringList layersOf(const QString& path) {
    QStringList names;
    GDALDatasetUniquePtr ds = openGis(path);
    EXPECT_TRUE(ds) << path.toStdString();
    if (ds) {
        for (OGRLayer* layer : ds->GetLayers())
            names << QString::fromUtf8(layer->GetName());
    }
    return names;
}

// The export tests' scratch folder and messages.
class GisTest : public ExportTest {
protected:
    QStringList folder() const {
        return QDir(dir_.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& box : desktop_->callsOf(desktop::RecordedCall::Kind::MessageBox))
            texts << box.text;
        return texts;
    }
    // The derived position of a place, as every export gives it.
    std::pair<double, double> derived(double latitude, double longitude) {
        double lat = 0;
        double lon = 0;
        geo::CalcLatLon(map_, map_->GetLocation(latitude, longitude, 0), lat, lon);
        return {lat, lon};
    }
};

} // namespace exporttest
