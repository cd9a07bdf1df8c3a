#include "addin/NumberFormat.h"

#include <QLocale>
#include <gtest/gtest.h>

using locastra::FormatNumber;

namespace {
struct LocaleScope {
    QLocale saved;
    explicit LocaleScope(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleScope() { QLocale::setDefault(saved); }
};
} // namespace

TEST(NumberFormat, ShortestFormWithAtMostFifteenDigits) {
    LocaleScope c(QLocale::c());
    EXPECT_EQ(FormatNumber(51.5), "51.5");
    EXPECT_EQ(FormatNumber(-0.12), "-0.12");
    EXPECT_EQ(FormatNumber(10), "10");
    EXPECT_EQ(FormatNumber(0.1 + 0.2), "0.3"); // 17 digits would show 0.30000000000000004
    EXPECT_EQ(FormatNumber(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FormatNumber(-0.0), "0");
    EXPECT_EQ(FormatNumber(123456789012.5), "123456789012.5");
    EXPECT_EQ(FormatNumber(1234567), "1234567"); // no grouping
}

TEST(NumberFormat, UsesTheUsersDecimalSeparator) {
    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatNumber(-33.9), "-33,9");
    EXPECT_EQ(FormatNumber(1234567.25), "1234567,25");
}
