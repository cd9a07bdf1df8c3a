#include "GdalSupport.h"

#include "ProjFileAccess.h"

#include <QStringDecoder>
#include <cpl_conv.h>
#include <cpl_http.h>
#include <mutex>
#include <ogr_srs_api.h>

namespace maphost::gdal {

namespace {

// Answers every HTTP request GDAL makes (CRS links, remote sources) with an error.
CPLHTTPResult* refuseRequest(const char* url, CSLConstList, GDALProgressFunc, void*,
                             CPLHTTPFetchWriteFunc, void*, void*) {
    CPLError(CE_Failure, CPLE_AppDefined, "network access is switched off (%s)", url);
    auto* result = static_cast<CPLHTTPResult*>(CPLCalloc(1, sizeof(CPLHTTPResult)));
    result->nStatus = 1;
    result->pszErrBuf = CPLStrdup("network access is switched off");
    return result;
}

void switchOffNetwork() {
    CPLHTTPSetFetchCallback(&refuseRequest, nullptr);
    // /vsicurl/, /vsis3/ and the other network file systems open only this one name,
    // which no URL can be.
    CPLSetConfigOption("CPL_VSIL_CURL_ALLOWED_FILENAME", "/network access is switched off");
    OSRSetPROJEnableNetwork(FALSE);
}

} // namespace

void ensureRegistered() {
    static std::once_flag once;
    std::call_once(once, [] {
        limitProjFileAccess();
        GDALAllRegister();
        switchOffNetwork();
    });
}

ErrorCapture::ErrorCapture() {
    CPLPushErrorHandlerEx(&ErrorCapture::handler, this);
    CPLErrorReset();
}

ErrorCapture::~ErrorCapture() {
    CPLPopErrorHandler();
}

QString ErrorCapture::reason(const QString& what) const {
    if (firstFailure_.isEmpty())
        return what.isEmpty() ? QStringLiteral("unknown GDAL error") : what;
    return what.isEmpty() ? firstFailure_ : what + QLatin1String(" (") + firstFailure_ + u')';
}

void CPL_STDCALL ErrorCapture::handler(CPLErr cls, CPLErrorNum, const char* msg) {
    auto* self = static_cast<ErrorCapture*>(CPLGetErrorHandlerUserData());
    if (!self || cls < CE_Warning)
        return; // debug output
    QString& first = cls == CE_Warning ? self->firstWarning_ : self->firstFailure_;
    if (first.isEmpty())
        first = QString::fromUtf8(msg).trimmed();
}

ScopedConfigOption::ScopedConfigOption(const char* key, const char* value) : key_(key) {
    const char* old = CPLGetThreadLocalConfigOption(key, nullptr);
    hadOld_ = old != nullptr;
    if (old)
        old_ = old;
    CPLSetThreadLocalConfigOption(key, value);
}

ScopedConfigOption::~ScopedConfigOption() {
    CPLSetThreadLocalConfigOption(key_.constData(), hadOld_ ? old_.constData() : nullptr);
}

QString decodeText(const char* bytes) {
    // Stateless: an incomplete sequence at the end ("Jos\xE9") is an error, not a letter
    // held back for more input that never comes.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes));
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QByteArray sqlLiteral(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    utf8.replace('\'', "''");
    return '\'' + utf8 + '\'';
}

QByteArray sqlIdentifier(const QString& name) {
    QByteArray utf8 = name.toUtf8();
    utf8.replace('"', "\"\"");
    return '"' + utf8 + '"';
}

} // namespace maphost::gdal
