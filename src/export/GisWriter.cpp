#include "GisWriter.h"

#include "GisNames.h"
#include "GisTargets.h"
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
#include <optional>
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

OGRFieldType fieldType(QMetaType::Type type, const GisFormat& format, OGRFieldSubType& subType) {
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
        return format.dateTimeAsText ? OFTString : OFTDateTime;
    default:
        return OFTString;
    }
}

// A value for a text column; a date with a time in ISO 8601.
QString text(const QVariant& value) {
    if (value.userType() != QMetaType::QDateTime)
        return value.toString();
    const QDateTime when = value.toDateTime();
    return when.toString(when.time().msec() ? Qt::ISODateWithMs : Qt::ISODate);
}

// Renames that can be undone together, last first.
class Renames {
public:
    // Renames from to to; the reason when it fails.
    std::optional<QString> move(const QString& from, const QString& to) {
        if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) ==
            0) {
            done_.push_back({from, to});
            return std::nullopt;
        }
        const int error = errno;
        if (error == EISDIR || QFileInfo(to).isDir())
            return QStringLiteral("it is a folder");
        return QString::fromLocal8Bit(std::strerror(error));
    }
    // Moves every file back; false when one could not be.
    bool undo() {
        bool undone = true;
        for (auto m = done_.rbegin(); m != done_.rend(); ++m)
            undone = std::rename(QFile::encodeName(m->second).constData(),
                                 QFile::encodeName(m->first).constData()) == 0 &&
                     undone;
        done_.clear();
        return undone;
    }

private:
    std::vector<std::pair<QString, QString>> done_; // from, to
};

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
    QString layerName;
    if (format_.layout == GisFormat::Layout::FilePerDataSet) {
        closeDataset();
        GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(format_.driver);
        CPLErrorReset();
        dataset_ = driver->Create(
            staging_.filePath(name + QLatin1Char('.') + format_.extension).toUtf8().constData(), 0,
            0, 0, GDT_Unknown, nullptr);
        if (!dataset_)
            fail(gdalReason());
        layerName = name;
    } else {
        if (layer_) {
            indexLayer();
            CPLErrorReset();
            if (inTransaction_ && dataset_->CommitTransaction() != OGRERR_NONE)
                fail(gdalReason());
            inTransaction_ = false;
        }
        layerName = UniqueName(format_.tableLayerNames ? SafeTableName(name)
                               : name.isEmpty()        ? QStringLiteral("layer")
                                                       : name,
                               layerNames_);
    }
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    CPLErrorReset();
    layer_ = format_.coordinateColumns
                 ? dataset_->CreateLayer(layerName.toUtf8().constData(), nullptr, wkbNone,
                                         optionList(format_.layerOptions).List())
                 : dataset_->CreateLayer(layerName.toUtf8().constData(), &wgs84, wkbPoint,
                                         optionList(format_.layerOptions).List());
    if (!layer_)
        fail(gdalReason());
    QStringList taken;
    QVector<GisColumn> all = columns;
    if (format_.coordinateColumns) {
        // Reserved first: a column of the same name is the one renamed.
        taken << GisLatitudeColumn.toLower() << GisLongitudeColumn.toLower();
        all.push_back({GisLatitudeColumn, QMetaType::Double});
        all.push_back({GisLongitudeColumn, QMetaType::Double});
    }
    columnFields_.clear();
    OGRFeatureDefn* layerFields = layer_->GetLayerDefn();
    for (qsizetype i = 0; i < all.size(); ++i) {
        const GisColumn& column = all[i];
        OGRFieldSubType subType = OFSTNone;
        const OGRFieldType type = fieldType(column.type, format_, subType);
        const bool coordinate = format_.coordinateColumns && i >= columns.size();
        const QByteArray fieldName =
            (coordinate ? column.name : UniqueName(column.name, taken, format_.fieldNameBytes))
                .toUtf8();
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
        feature_->SetField(index, text(value).toUtf8().constData());
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
    if (format_.coordinateColumns) {
        feature_->SetField(columnFields_[columnFields_.size() - 2], latitude);
        feature_->SetField(columnFields_.back(), longitude);
    } else {
        feature_->SetGeometryDirectly(new OGRPoint(longitude, latitude));
    }
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

QStringList GisWriter::commit() {
    closeDataset();
    const QDir staging(staging_.path());
    const QDir folder(folder_);
    const QStringList staged = staging.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    QStringList written;
    for (const QString& name : staged) {
        if (QFileInfo(name).suffix().compare(format_.extension, Qt::CaseInsensitive) == 0)
            written << folder.filePath(name);
    }
    // What goes: the files the staged ones replace, and what belonged to them.
    QStringList old = ExistingFilesReplaced(format_, written);
    for (const QString& name : staged) {
        const QFileInfo target(folder.filePath(name));
        if (target.isFile() || target.isSymLink())
            old << target.filePath();
    }
    old.removeDuplicates();

    // First every earlier file moves into the staging folder, then every new file into
    // place: a failed rename moves back what was moved, so the folder holds either all
    // the earlier files or all the new ones.
    Renames renames;
    const auto move = [&](const QString& from, const QString& to, const QString& file) {
        const std::optional<QString> reason = renames.move(from, to);
        if (!reason)
            return;
        if (renames.undo())
            fail(QStringLiteral("cannot replace \"%1\": %2; the earlier files are unchanged")
                     .arg(file, *reason));
        // What could not move back stays in the staging folder rather than going with it.
        staging_.setAutoRemove(false);
        fail(QStringLiteral("cannot replace \"%1\": %2; the earlier files are in \"%3\"")
                 .arg(file, *reason, staging.absolutePath()));
    };
    const QString replaced = QStringLiteral(".replaced");
    if (!old.isEmpty() && !staging.mkdir(replaced))
        fail(QStringLiteral("cannot make a folder in \"%1\"").arg(staging.absolutePath()));
    const QDir backups(staging.filePath(replaced));
    for (const QString& file : old)
        move(file, backups.filePath(QFileInfo(file).fileName()), file);
    for (const QString& name : staged)
        move(staging.filePath(name), folder.filePath(name), folder.filePath(name));
    return written;
}

} // namespace exporting
