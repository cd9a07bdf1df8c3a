#include "LowerCaseMatcher.h"

namespace actions {

namespace {
bool isAscii(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

char16_t asciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}
} // namespace

LowerCaseMatcher::LowerCaseMatcher(const QString& target) : lowered_(locale_.toLower(target)) {
    const auto language = locale_.language();
    asciiShortcut_ = isAscii(lowered_) && language != QLocale::Turkish &&
                     language != QLocale::Azerbaijani && language != QLocale::Tatar &&
                     language != QLocale::Kazakh;
}

bool LowerCaseMatcher::matches(const QString& candidate) const {
    if (asciiShortcut_ && isAscii(candidate)) {
        if (candidate.size() != lowered_.size())
            return false;
        const char16_t* a = reinterpret_cast<const char16_t*>(candidate.constData());
        const char16_t* b = reinterpret_cast<const char16_t*>(lowered_.constData());
        for (qsizetype i = 0; i < candidate.size(); ++i)
            if (asciiLower(a[i]) != b[i])
                return false;
        return true;
    }
    return locale_.toLower(candidate) == lowered_;
}

} // namespace actions
