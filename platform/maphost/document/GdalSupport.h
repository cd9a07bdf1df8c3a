#pragma once

#include <QString>
#include <gdal_priv.h>
#include <memory>
#include <ogrsf_frmts.h>

// Small helpers shared by the document reader/writer and the importer.
namespace maphost::gdal {

// Registers GDAL's drivers once per process and switches off every way GDAL and PROJ
// reach the network (HTTP fetches, /vsicurl/ and its cloud relatives, PROJ grids): the
// host reads local files only, whatever a file refers to. PROJ opens no file outside
// its own data folders (ProjFileAccess).
void ensureRegistered();

struct DatasetCloser {
    void operator()(GDALDataset* ds) const { GDALClose(GDALDataset::ToHandle(ds)); }
};
using DatasetPtr = std::unique_ptr<GDALDataset, DatasetCloser>;

struct FeatureDeleter {
    void operator()(OGRFeature* f) const { OGRFeature::DestroyFeature(f); }
};
using FeaturePtr = std::unique_ptr<OGRFeature, FeatureDeleter>;

// Result set of GDALDataset::ExecuteSQL, released through the dataset that made it.
class SqlResult {
public:
    SqlResult(GDALDataset* ds, OGRLayer* layer) : ds_(ds), layer_(layer) {}
    ~SqlResult() {
        if (layer_)
            ds_->ReleaseResultSet(layer_);
    }
    SqlResult(const SqlResult&) = delete;
    SqlResult& operator=(const SqlResult&) = delete;
    OGRLayer* get() const { return layer_; }
    OGRLayer* operator->() const { return layer_; }
    explicit operator bool() const { return layer_ != nullptr; }

private:
    GDALDataset* ds_;
    OGRLayer* layer_;
};

// While alive, GDAL's errors and warnings on this thread go to this object instead of
// stderr; the first failure and the first warning are kept so they can name the reason in
// our own error.
class ErrorCapture {
public:
    ErrorCapture();
    ~ErrorCapture();
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    bool failed() const { return !firstFailure_.isEmpty(); }
    // what went wrong, followed by GDAL's first failure message (if any) in parentheses.
    QString reason(const QString& what) const;
    // GDAL's first warning, empty when there was none.
    const QString& firstWarning() const { return firstWarning_; }
    void clear() {
        firstFailure_.clear();
        firstWarning_.clear();
    }

private:
    static void CPL_STDCALL handler(CPLErr cls, CPLErrorNum num, const char* msg);
    QString firstFailure_;
    QString firstWarning_;
};

// Sets a GDAL configuration option for this thread for the object's lifetime.
class ScopedConfigOption {
public:
    ScopedConfigOption(const char* key, const char* value);
    ~ScopedConfigOption();
    ScopedConfigOption(const ScopedConfigOption&) = delete;
    ScopedConfigOption& operator=(const ScopedConfigOption&) = delete;

private:
    QByteArray key_;
    QByteArray old_;
    bool hadOld_;
};

// Text as GDAL hands it over, which is as it is in the file: UTF-8 when it is valid
// UTF-8, else Latin-1 (Windows "ANSI" text), so that no letter is lost or replaced.
QString decodeText(const char* bytes);

// SQL string literal and identifier quoting for SQLite.
QByteArray sqlLiteral(const QString& text);
QByteArray sqlIdentifier(const QString& name);

} // namespace maphost::gdal
