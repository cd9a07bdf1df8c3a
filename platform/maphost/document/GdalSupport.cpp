#include "GdalSupport.h"

#include <cpl_conv.h>
#include <mutex>

namespace maphost::gdal {

void ensureRegistered() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
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
    if (cls < CE_Failure)
        return; // warnings and debug output are not reasons to fail
    auto* self = static_cast<ErrorCapture*>(CPLGetErrorHandlerUserData());
    if (self && self->firstFailure_.isEmpty())
        self->firstFailure_ = QString::fromUtf8(msg).trimmed();
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
