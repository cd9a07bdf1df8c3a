#include "addin/NumberFormat.h"
#include "qtcompat/QtCompat.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

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

TEST(NumberFormat, AgreesWithPrintfsFifteenDigitsAcrossMagnitudes) {
    LocaleScope c(QLocale::c());
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-330, 310);
    const locastra::NumberFormatter numbers;
    for (int i = 0; i < 20000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        if (!std::isfinite(value) || value == 0)
            continue;
        const QString expected = QString::asprintf("%.15g", value);
        ASSERT_EQ(FormatNumber(value), expected) << expected.toStdString();
        QByteArray utf8;
        numbers.appendUtf8(utf8, value);
        ASSERT_EQ(utf8, expected.toUtf8());
    }
    EXPECT_EQ(FormatNumber(1e15), "1e+15");
    EXPECT_EQ(FormatNumber(0.0001), "0.0001");
    EXPECT_EQ(FormatNumber(0.00001), "1e-05");
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity()), "-inf");
}

TEST(NumberFormat, AppendsTheLocalesSeparatorAsUtf8) {
    // Arabic writes U+066B as its decimal separator: two bytes in UTF-8.
    LocaleScope arabic(QLocale(QLocale::Arabic, QLocale::Egypt));
    QByteArray out = "x,";
    locastra::NumberFormatter().appendUtf8(out, -33.9);
    const QString decimal = qtcompat::decimalPoint(QLocale());
    EXPECT_EQ(out, "x,-33" + decimal.toUtf8() + "9");
    EXPECT_EQ(FormatNumber(-33.9), "-33" + decimal + "9");
}
