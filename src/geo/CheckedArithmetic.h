#pragma once

// Floating-point steps that are checked the way an automation client's arithmetic is:
// an invalid operation or an overflow raises error 6, a division by zero error 11, the
// square root of a negative number error 5 (all as automation::Error). Underflow and
// inexact results pass.
//
// Each operation gives its IEEE result and remembers the first fault, so a caller can
// store a value first and raise the fault afterwards (CheckedSteps::raise).
namespace geo {

class CheckedSteps {
public:
    double add(double a, double b) { return note(a + b); }
    double sub(double a, double b) { return note(a - b); }
    double mul(double a, double b) { return note(a * b); }
    double div(double a, double b);
    double neg(double a) { return note(-a); }
    double sqrt(double a);
    double cos(double a);
    double sin(double a);
    double atan(double a);

    bool failed() const { return fault_ != 0; }
    // Throws the first fault seen since the last raise; clears it.
    void raise();

private:
    double note(double result);
    void fault(int number);

    int fault_ = 0;
};

} // namespace geo
