#include "LowerCaseContains.h"

namespace toolwindow {

namespace {
bool isAscii(const QString& s) {
    for (QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

inline char16_t asciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}
} // namespace

LowerCaseContains::LowerCaseContains() {
    const QString upper = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    asciiShortcut_ = locale_.toLower(upper) ==
                     QStringLiteral("abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz");
    setText(QString());
}

void LowerCaseContains::setText(const QString& text) {
    if (text == text_ && !lowered_.isNull())
        return;
    text_ = text;
    lowered_ = locale_.toLower(text);
    if (lowered_.isNull())
        lowered_ = QStringLiteral("");
    loweredIsAscii_ = isAscii(lowered_);
}

bool LowerCaseContains::matches(const QString& name) const {
    const qsizetype needle = lowered_.size();
    if (needle == 0)
        return true;
    if (!asciiShortcut_ || !isAscii(name))
        return locale_.toLower(name).contains(lowered_);
    // An ASCII name lowers to ASCII, so a non-ASCII search text cannot be in it.
    if (!loweredIsAscii_ || needle > name.size())
        return false;
    const char16_t* hay = reinterpret_cast<const char16_t*>(name.constData());
    const char16_t* pin = reinterpret_cast<const char16_t*>(lowered_.constData());
    const qsizetype last = name.size() - needle;
    for (qsizetype start = 0; start <= last; ++start) {
        qsizetype i = 0;
        while (i < needle && asciiLower(hay[start + i]) == pin[i])
            ++i;
        if (i == needle)
            return true;
    }
    return false;
}

} // namespace toolwindow
