#pragma once

#include <QLocale>
#include <QString>

namespace actions {

// Compares texts with a fixed target after both are lower-cased with the user's locale,
// as whole texts. The target is lowered once; plain ASCII candidates are compared
// without building a lowered copy (same result outside the Turkic locales, where the
// full conversion is always used).
class LowerCaseMatcher {
public:
    explicit LowerCaseMatcher(const QString& target);

    bool matches(const QString& candidate) const;

private:
    QLocale locale_;
    QString lowered_;
    bool asciiShortcut_ = false;
};

} // namespace actions
