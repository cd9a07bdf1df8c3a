#include "Utf8Text.h"

#include <QStringEncoder>

namespace locastra {

void AppendUtf8(QByteArray& out, QStringView text) {
    const qsizetype start = out.size();
    // Plain ASCII, the usual case, is copied as it is.
    qsizetype i = 0;
    const char16_t* chars = text.utf16();
    out.resize(start + text.size());
    char* dest = out.data() + start;
    for (; i < text.size() && chars[i] < 0x80; ++i)
        dest[i] = char(chars[i]);
    if (i == text.size())
        return;
    out.resize(start + i);
    QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    const QStringView rest = text.mid(i);
    const qsizetype at = out.size();
    out.resize(at + encoder.requiredSpace(rest.size()));
    char* end = encoder.appendToBuffer(out.data() + at, rest);
    out.resize(end - out.constData());
}

} // namespace locastra
