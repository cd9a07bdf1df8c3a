#pragma once

#include <QByteArray>
#include <QString>

namespace locastra {

// Numbers as text the way every window and export shows them: at most 15 significant
// digits, shortest form (no trailing zeros; exponent form below 1e-4 and from 1e15 on,
// as "%.15g" gives it), the user's decimal separator, no digit grouping. A formatter
// takes the separator from the user's locale once, so a long export asks only once.
class NumberFormatter {
public:
    NumberFormatter();

    QString text(double value) const;
    // Appends the text as UTF-8.
    void appendUtf8(QByteArray& out, double value) const;

private:
    QString decimal_;
    QByteArray decimalUtf8_;
};

// A number as text with the user's current decimal separator.
QString FormatNumber(double value);

} // namespace locastra
