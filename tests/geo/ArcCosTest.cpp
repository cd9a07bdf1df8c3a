#include "geo/PositionCalculator.h"

#include "automation/Error.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

int errorNumberOf(double x) {
    try {
        geo::ArcCos(x);
    } catch (const automation::Error& e) {
        return e.number();
    }
    return 0;
}

TEST(ArcCos, AgreesWithTheLibraryArccosineInsideTheRange) {
    EXPECT_EQ(geo::ArcCos(1.0), 0.0);
    EXPECT_NEAR(geo::ArcCos(0.0), std::numbers::pi / 2, 1e-15);
    for (double x = -0.999; x < 1.0; x += 0.0137)
        EXPECT_NEAR(geo::ArcCos(x), std::acos(x), 1e-14) << "x = " << x;
    EXPECT_NEAR(geo::ArcCos(-0.9999999), std::acos(-0.9999999), 1e-12);
}

TEST(ArcCos, FailsOutsideTheRangeAndAtMinusOne) {
    EXPECT_EQ(errorNumberOf(-1.0), automation::errors::DivisionByZero);
    EXPECT_EQ(errorNumberOf(1.0000000001), automation::errors::InvalidArgument);
    EXPECT_EQ(errorNumberOf(-1.0000000001), automation::errors::InvalidArgument);
    EXPECT_EQ(errorNumberOf(std::nan("")), automation::errors::Overflow);
    EXPECT_EQ(errorNumberOf(0.3), 0);
}

} // namespace
