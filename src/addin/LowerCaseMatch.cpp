#include "LowerCaseMatch.h"

#include <QHash>
#include <QMutex>

namespace locastra {

bool IsAscii(const QString& text) {
    const char16_t* p = reinterpret_cast<const char16_t*>(text.constData());
    for (qsizetype i = 0, n = text.size(); i < n; ++i)
        if (p[i] >= 0x80)
            return false;
    return true;
}

namespace {

inline char16_t asciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

// Whether text, lowered the ASCII way, equals lowered at position start.
inline bool asciiLoweredAt(const char16_t* text, const char16_t* lowered, qsizetype length) {
    for (qsizetype i = 0; i < length; ++i)
        if (asciiLower(text[i]) != lowered[i])
            return false;
    return true;
}

} // namespace

bool LowerCaseMatch::asciiLowersAsAscii(const QLocale& locale) {
    static QMutex mutex;
    static QHash<QString, bool> answers;
    const QString name = locale.name() + u'|' + locale.bcp47Name();
    const QMutexLocker lock(&mutex);
    const auto known = answers.constFind(name);
    if (known != answers.constEnd())
        return *known;
    QString ascii;
    QString expected;
    for (char16_t c = 1; c < 0x80; ++c) {
        ascii.append(QChar(c));
        expected.append(QChar(asciiLower(c)));
    }
    const bool answer = locale.toLower(ascii) == expected;
    answers.insert(name, answer);
    return answer;
}

LowerCaseMatch::LowerCaseMatch(const QString& target, const QLocale& locale)
    : locale_(locale), asciiShortcut_(asciiLowersAsAscii(locale)) {
    target_ = target;
    lowered_ = locale_.toLower(target);
    if (lowered_.isNull())
        lowered_ = QStringLiteral("");
    loweredIsAscii_ = IsAscii(lowered_);
}

void LowerCaseMatch::setTarget(const QString& target) {
    if (target == target_ && target.isNull() == target_.isNull())
        return;
    target_ = target;
    lowered_ = locale_.toLower(target);
    if (lowered_.isNull())
        lowered_ = QStringLiteral("");
    loweredIsAscii_ = IsAscii(lowered_);
}

bool LowerCaseMatch::containedIn(const QString& text) const {
    const qsizetype needle = lowered_.size();
    if (needle == 0)
        return true;
    if (!asciiShortcut_ || !IsAscii(text))
        return locale_.toLower(text).contains(lowered_);
    // An ASCII text lowers to ASCII, so a non-ASCII target cannot be in it.
    if (!loweredIsAscii_ || needle > text.size())
        return false;
    const char16_t* hay = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t* pin = reinterpret_cast<const char16_t*>(lowered_.constData());
    const qsizetype last = text.size() - needle;
    for (qsizetype start = 0; start <= last; ++start)
        if (asciiLoweredAt(hay + start, pin, needle))
            return true;
    return false;
}

bool LowerCaseMatch::equals(const QString& text) const {
    if (!asciiShortcut_ || !IsAscii(text))
        return locale_.toLower(text) == lowered_;
    if (!loweredIsAscii_ || text.size() != lowered_.size())
        return false;
    return asciiLoweredAt(reinterpret_cast<const char16_t*>(text.constData()),
                          reinterpret_cast<const char16_t*>(lowered_.constData()), text.size());
}

} // namespace locastra
