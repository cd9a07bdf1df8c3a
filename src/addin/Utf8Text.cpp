#include "Utf8Text.h"

namespace locastra {

void AppendUtf8(QByteArray& out, QStringView text) {
    const qsizetype start = out.size();
    // Plain ASCII, the usual case, is copied as it is; only other text is encoded.
    qsizetype i = 0;
    const char16_t* chars = text.utf16();
    out.resize(start + text.size());
    char* dest = out.data() + start;
    for (; i < text.size() && chars[i] < 0x80; ++i)
        dest[i] = char(chars[i]);
    if (i == text.size())
        return;
    out.resize(start + i);
    out += text.mid(i).toUtf8();
}

} // namespace locastra
