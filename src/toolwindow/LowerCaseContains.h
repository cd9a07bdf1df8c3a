#pragma once

#include <QLocale>
#include <QString>

namespace toolwindow {

// The search's match test: a name matches when its lower-cased form (by the user's
// locale) contains the lower-cased search text. The search text is lowered again
// only when it changes; plain ASCII names are tested without building a lowered
// copy where the locale lowers ASCII as ASCII does (not so in the Turkic locales,
// which always take the full conversion).
class LowerCaseContains {
public:
    LowerCaseContains();

    // Sets the search text (cheap when unchanged).
    void setText(const QString& text);
    bool matches(const QString& name) const;

private:
    QLocale locale_;
    bool asciiShortcut_ = false;
    QString text_;
    QString lowered_;
    bool loweredIsAscii_ = true;
};

} // namespace toolwindow
