#include "GisWriter.h"

#include "automation/Error.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTime>
#include <cpl_error.h>
#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <utility>

namespace exporting {

namespace {

// Points per transaction where the format has them (GeoPackage).
constexpr qint64 TransactionSize = 100'000;

// The options in GDAL's form; the list owns its strings.
CPLStringList optionList(const QStringList& options) {
    CPLStringList list;
    for (const QString& option : options)
        list.AddString(option.toUtf8().constData());
    return list;
}

QString gdalReason() {
    const QString message = QString::fromUtf8(CPLGetLastErrorMsg());
    return message.isEmpty() ? QStringLiteral("GDAL reported an error") : message;
}

// name made unique among taken (compared without letter case): "name", "name_2", ...
QString uniqueName(const QString& name, QStringList& taken) {
    QString candidate = name;
    for (int n = 2; taken.contains(candidate.toLower()); ++n)
        candidate = QStringLiteral("%1_%2").arg(name).arg(n);
    taken << candidate.toLower();
    return candidate;
}

// A dataset name as a file name: no path separators or characters other systems
// refuse, no leading dot, never empty.
QString safeFileName(const QString& name) {
    QString safe;
    for (const QChar c : name)
        safe += (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c)) ? QChar('_') : c;
    safe = safe.trimmed();
    while (safe.startsWith(QLatin1Char('.')))
        safe.remove(0, 1);
    return safe.isEmpty() ? QStringLiteral("dataset") : safe;
}

OGRFieldType fieldType(QMetaType::Type type, OGRFieldSubType& subType) {
    subType = OFSTNone;
    switch (type) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        return OFTInteger64;
    case QMetaType::Double:
    case QMetaType::Float:
        return OFTReal;
    case QMetaType::Bool:
        subType = OFSTBoolean;
        return OFTInteger;
    case QMetaType::QDate:
        return OFTDate;
    case QMetaType::QDateTime:
        return OFTDateTime;
    default:
        return OFTString;
    }
}

void registerDrivers() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

} // namespace

GisWriter::GisWriter(const GisFormat& format, const QString& path)
    : format_(format), path_(path), folder_(QFileInfo(path).absolutePath()),
      staging_(QFileInfo(path).absolutePath() + QStringLiteral("/.locastra-export-XXXXXX")) {
    registerDrivers();
    if (path.isEmpty())
        fail(QStringLiteral("no file name given"));
    if (QFileInfo(path).isDir() && format.layout != GisFormat::Layout::FilePerDataSet)
        fail(QStringLiteral("it is a folder"));
    if (!staging_.isValid())
        fail(staging_.errorString());
    if (format.layout == GisFormat::Layout::FilePerDataSet)
        return; // a file per layer
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(format.driver);
    if (!driver)
        fail(QStringLiteral("GDAL has no %1 driver").arg(QLatin1String(format.driver)));
    const QString staged = staging_.filePath(QFileInfo(path).fileName());
    CPLErrorReset();
    dataset_ = driver->Create(staged.toUtf8().constData(), 0, 0, 0, GDT_Unknown,
                              optionList(format.datasetOptions).List());
    if (!dataset_)
        fail(gdalReason());
}

GisWriter::~GisWriter() {
    feature_.reset();
    if (dataset_)
        GDALClose(dataset_); // the staging folder and all in it go with staging_
}

void GisWriter::fail(const QString& reason) const {
    throw automation::Error(automation::errors::FileError,
                            QStringLiteral("Cannot write the file \"%1\": %2").arg(path_, reason));
}

void GisWriter::indexLayer() {
    if (!layer_ || !format_.spatialIndexAtEnd)
        return;
    const QByteArray sql = QStringLiteral("SELECT CreateSpatialIndex('%1', '%2')")
                               .arg(QString::fromUtf8(layer_->GetName()).replace('\'', "''"),
                                    QString::fromUtf8(layer_->GetGeometryColumn()))
                               .toUtf8();
    CPLErrorReset();
    OGRLayer* result = dataset_->ExecuteSQL(sql.constData(), nullptr, nullptr);
    if (result)
        dataset_->ReleaseResultSet(result);
    if (CPLGetLastErrorType() >= CE_Failure)
        fail(gdalReason());
}

void GisWriter::closeDataset() {
    indexLayer();
    feature_.reset();
    layer_ = nullptr;
    if (!dataset_)
        return;
    CPLErrorReset();
    if (inTransaction_ && dataset_->CommitTransaction() != OGRERR_NONE)
        fail(gdalReason());
    inTransaction_ = false;
    // Closing writes what GDAL still holds; its failures show only as errors raised.
    CPLErrorReset();
    GDALClose(std::exchange(dataset_, nullptr));
    if (CPLGetLastErrorType() >= CE_Failure)
        fail(gdalReason());
}

void GisWriter::openLayer(const QString& name, const QVector<GisColumn>& columns) {
    if (format_.layout == GisFormat::Layout::FilePerDataSet) {
        closeDataset();
        GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(format_.driver);
        const QString file = uniqueName(safeFileName(name), fileNames_);
        CPLErrorReset();
        dataset_ = driver->Create(
            staging_.filePath(file + QLatin1Char('.') + format_.extension).toUtf8().constData(), 0,
            0, 0, GDT_Unknown, nullptr);
        if (!dataset_)
            fail(gdalReason());
    } else if (layer_) {
        indexLayer();
        CPLErrorReset();
        if (inTransaction_ && dataset_->CommitTransaction() != OGRERR_NONE)
            fail(gdalReason());
        inTransaction_ = false;
    }
    const QString layerName =
        uniqueName(name.isEmpty() ? QStringLiteral("layer") : name, layerNames_);
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    CPLErrorReset();
    layer_ = dataset_->CreateLayer(layerName.toUtf8().constData(), &wgs84, wkbPoint,
                                   optionList(format_.layerOptions).List());
    if (!layer_)
        fail(gdalReason());
    QStringList taken;
    columnFields_.clear();
    OGRFeatureDefn* layerFields = layer_->GetLayerDefn();
    for (const GisColumn& column : columns) {
        OGRFieldSubType subType = OFSTNone;
        const OGRFieldType type = fieldType(column.type, subType);
        const QByteArray fieldName = uniqueName(column.name, taken).toUtf8();
        OGRFieldDefn definition(fieldName.constData(), type);
        definition.SetSubType(subType);
        const int before = layerFields->GetFieldCount();
        if (layer_->CreateField(&definition) != OGRERR_NONE)
            fail(gdalReason());
        // A format with fields of its own (GPX's name and desc) takes the column into
        // the field of that name instead of adding one.
        const int field = layerFields->GetFieldCount() > before
                              ? layerFields->GetFieldCount() - 1
                              : layerFields->GetFieldIndex(fieldName.constData());
        if (field < 0)
            fail(QStringLiteral("the column \"%1\" cannot be created").arg(column.name));
        columnFields_.push_back(field);
    }
    feature_.reset(OGRFeature::CreateFeature(layer_->GetLayerDefn()));
    pending_ = 0;
}

void GisWriter::setValue(int index, const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        feature_->SetFieldNull(index);
        return;
    }
    bool ok = true;
    switch (feature_->GetFieldDefnRef(index)->GetType()) {
    case OFTInteger64:
        feature_->SetField(index, GIntBig(value.toLongLong(&ok)));
        break;
    case OFTInteger:
        feature_->SetField(index, value.toBool() ? 1 : 0);
        break;
    case OFTReal:
        feature_->SetField(index, value.toDouble(&ok));
        break;
    case OFTDate: {
        const QDate date = value.toDate();
        ok = date.isValid();
        feature_->SetField(index, date.year(), date.month(), date.day());
        break;
    }
    case OFTDateTime: {
        const QDateTime when = value.toDateTime();
        ok = when.isValid();
        const QDate date = when.date();
        const QTime time = when.time();
        // 100 is GDAL's UTC; 0 an unknown zone (the host's local times).
        const int zone = when.timeSpec() == Qt::UTC ? 100 : 0;
        feature_->SetField(index, date.year(), date.month(), date.day(), time.hour(), time.minute(),
                           float(time.second() + time.msec() / 1000.0), zone);
        break;
    }
    default:
        feature_->SetField(index, value.toString().toUtf8().constData());
    }
    if (!ok)
        feature_->SetFieldNull(index);
}

void GisWriter::addPoint(double latitude, double longitude, const QVector<QVariant>& values) {
    if (!inTransaction_ && dataset_->TestCapability(ODsCTransactions)) {
        inTransaction_ = dataset_->StartTransaction() == OGRERR_NONE;
        pending_ = 0;
    }
    const int count = std::min(int(values.size()), int(columnFields_.size()));
    for (int i = 0; i < count; ++i)
        setValue(columnFields_[size_t(i)], values[i]);
    feature_->SetGeometryDirectly(new OGRPoint(longitude, latitude));
    feature_->SetFID(OGRNullFID);
    CPLErrorReset();
    if (layer_->CreateFeature(feature_.get()) != OGRERR_NONE)
        fail(gdalReason());
    if (inTransaction_ && ++pending_ >= TransactionSize) {
        if (dataset_->CommitTransaction() != OGRERR_NONE)
            fail(gdalReason());
        inTransaction_ = false;
    }
}

void GisWriter::commit() {
    closeDataset();
    // Every staged file replaces its namesake in the target folder in one rename.
    const QFileInfoList files = QDir(staging_.path()).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : files) {
        const QString target = QDir(folder_).filePath(file.fileName());
        if (QFileInfo(target).isDir())
            fail(QStringLiteral("\"%1\" is a folder").arg(target));
        if (std::rename(QFile::encodeName(file.filePath()).constData(),
                        QFile::encodeName(target).constData()) != 0)
            fail(QString::fromLocal8Bit(std::strerror(errno)));
    }
}

} // namespace exporting
