#include "CheckedArithmetic.h"

#include "automation/Error.h"

#include <cmath>

namespace geo {

void CheckedSteps::fault(int number) {
    if (fault_ == 0)
        fault_ = number;
}

double CheckedSteps::note(double result) {
    // Inputs are finite (each step is checked), so a non-finite result is an invalid
    // operation (NaN) or an overflow (infinity); both raise "Overflow".
    if (!std::isfinite(result))
        fault(automation::errors::Overflow);
    return result;
}

double CheckedSteps::div(double a, double b) {
    const double result = a / b;
    if (b == 0.0 && a != 0.0 && !std::isnan(a)) {
        fault(automation::errors::DivisionByZero);
        return result;
    }
    return note(result);
}

double CheckedSteps::sqrt(double a) {
    if (a < 0.0) {
        fault(automation::errors::InvalidArgument);
        return std::sqrt(a);
    }
    return note(std::sqrt(a));
}

double CheckedSteps::cos(double a) {
    return note(std::cos(a));
}
double CheckedSteps::sin(double a) {
    return note(std::sin(a));
}
double CheckedSteps::atan(double a) {
    return note(std::atan(a));
}

void CheckedSteps::raise() {
    const int number = fault_;
    fault_ = 0;
    switch (number) {
    case 0:
        return;
    case automation::errors::DivisionByZero:
        throw automation::Error(number, QStringLiteral("Division by zero"));
    case automation::errors::InvalidArgument:
        throw automation::Error(number, QStringLiteral("Invalid procedure call or argument"));
    default:
        throw automation::Error(number, QStringLiteral("Overflow"));
    }
}

} // namespace geo
