#pragma once

#include <QLocale>
#include <QString>

namespace locastra {

// Whether every character of text is plain ASCII.
bool IsAscii(const QString& text);

// The match tests that compare in lower case (the search's and the double-click's deep
// search): both texts lower-cased with the user's locale (QLocale().toLower), the
// target once. A text of plain ASCII is compared without building its lowered copy
// where the locale lowers every ASCII letter as ASCII does; a locale that does not
// (the Turkic ones lower "I" to a dotless "ı") always takes the full conversion. The
// rule is asked of the locale itself (asciiLowersAsAscii), never of a list of names.
class LowerCaseMatch {
public:
    explicit LowerCaseMatch(const QString& target = QString(), const QLocale& locale = QLocale());

    // Sets the target text (cheap when unchanged).
    void setTarget(const QString& target);
    const QString& loweredTarget() const { return lowered_; }

    // Whether the lowered text contains the lowered target (an empty target is in
    // every text).
    bool containedIn(const QString& text) const;
    // Whether the lowered text is the lowered target.
    bool equals(const QString& text) const;

    // Whether the locale lowers "A" to "Z" to "a" to "z" and leaves every other ASCII
    // character as it is, so that an ASCII text's lowered form is its ASCII lowering.
    static bool asciiLowersAsAscii(const QLocale& locale);

private:
    QLocale locale_;
    bool asciiShortcut_ = false;
    QString target_;
    QString lowered_;
    bool loweredIsAscii_ = true;
};

} // namespace locastra
