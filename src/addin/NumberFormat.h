#pragma once

#include <QString>

namespace locastra {

// A number as text the way every window and export shows it: at most 15 significant
// digits, shortest form, the user's decimal separator, no digit grouping.
QString FormatNumber(double value);

} // namespace locastra
