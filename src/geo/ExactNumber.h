#pragma once

#include <QString>

namespace geo {

// A number with as many digits as it takes to read back as the same value (shortest
// form, the user's decimal separator, "nan" without a sign), for messages that compare
// it with a limit: 90.0000001 must not read 90.
QString ExactNumber(double value);

} // namespace geo
