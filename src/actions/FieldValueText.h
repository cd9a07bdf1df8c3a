#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace locastra {
class NumberFormatter;
}

namespace actions {

// Whether a field value is "no value" (missing in the record).
bool IsNoValue(const QVariant& value);

// A field value as text, the way the platform's standard conversion gives it: numbers
// through the one number formatter (locale decimal separator, at most 15 significant
// digits), Booleans as "True" / "False", dates in the user's short format, no value as
// the empty text, everything else as Qt converts it.
QString FieldValueText(const QVariant& value);

// The same text appended to out as UTF-8; numbers and text go straight into the
// buffer (the export's per-record path).
void AppendFieldValueText(QByteArray& out, const QVariant& value,
                          const locastra::NumberFormatter& numbers);

} // namespace actions
