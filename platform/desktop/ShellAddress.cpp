#include "ShellAddress.h"

#include <QFileInfo>

namespace desktop {

QUrl shellUrl(const QString& address) {
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        return {};
    // A path may contain ':' too; only a leading letter run followed by ':' and not
    // starting like a path counts as a scheme. One letter is a drive, not a scheme.
    // An existing file wins over a look-alike scheme ("notes:2024.txt").
    if (!trimmed.startsWith(u'/') && !trimmed.startsWith(u'.') && !trimmed.startsWith(u'~') &&
        !QFileInfo::exists(address)) {
        const QUrl url(trimmed, QUrl::StrictMode);
        if (url.isValid() && url.scheme().size() > 1)
            return url;
    }
    QString path = address;
    if (path == u'~' || path.startsWith(QStringLiteral("~/")))
        path = qEnvironmentVariable("HOME") + path.mid(1);
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
}

} // namespace desktop
