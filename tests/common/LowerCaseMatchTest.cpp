// The one lower-case match of the search and the deep search: whatever shortcut it
// takes for ASCII texts, it answers what lower-casing both texts with the locale
// answers, in a Turkish locale too, where "I" lowers to a dotless "ı".
#include "addin/LowerCaseMatch.h"

#include <QStringList>
#include <gtest/gtest.h>

using locastra::LowerCaseMatch;

namespace {

const QStringList Names = {"Main",     "OLD MAIN ROAD", "straße", "İstanbul",
                           "ISTANBUL", "ırmak",         "Ärger",  "",
                           "main",     "mAIN st",       "IRMAK",  "istanbul"};
const QStringList Targets = {"main",   "MAIN", "i",   "I",        "ı",        "İ",    "ä",
                             "STRAßE", "",     "n s", "istanbul", "ıstanbul", "IRMAK"};

TEST(LowerCaseMatch, AgreesWithLowerCasingBothTextsInEveryLocale) {
    for (const char* name : {"C", "en_US", "tr_TR", "az_AZ", "de_DE", "lt_LT", "el_GR"}) {
        const QLocale locale{QString::fromLatin1(name)};
        for (const QString& target : Targets) {
            const LowerCaseMatch match(target, locale);
            LowerCaseMatch reused(QStringLiteral("other"), locale);
            reused.setTarget(target);
            for (const QString& text : Names) {
                const QString lowered = locale.toLower(text);
                const QString loweredTarget = locale.toLower(target);
                const std::string what = std::string(name) + ": '" + text.toStdString() + "' / '" +
                                         target.toStdString() + "'";
                EXPECT_EQ(match.containedIn(text), lowered.contains(loweredTarget)) << what;
                EXPECT_EQ(reused.containedIn(text), lowered.contains(loweredTarget)) << what;
                EXPECT_EQ(match.equals(text), lowered == loweredTarget) << what;
            }
        }
    }
}

TEST(LowerCaseMatch, TurkishLowersTheDottedAndTheDotlessIApart) {
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    // The rule comes from the locale's own lower-casing, not from a list of names.
    EXPECT_FALSE(LowerCaseMatch::asciiLowersAsAscii(turkish));
    EXPECT_TRUE(LowerCaseMatch::asciiLowersAsAscii(QLocale(QLocale::English)));
    // "ISTANBUL" is "ıstanbul" in Turkish: the ASCII "istanbul" is not in it.
    EXPECT_FALSE(LowerCaseMatch(QStringLiteral("istanbul"), turkish).containedIn("ISTANBUL"));
    EXPECT_TRUE(LowerCaseMatch(QStringLiteral("ıstanbul"), turkish).equals("ISTANBUL"));
    EXPECT_TRUE(LowerCaseMatch(QStringLiteral("istanbul"), turkish).equals("İSTANBUL"));
    EXPECT_TRUE(LowerCaseMatch(QStringLiteral("IRMAK"), turkish).containedIn("ırmak kenarı"));
    // Elsewhere "I" lowers to "i".
    const QLocale english(QLocale::English);
    EXPECT_TRUE(LowerCaseMatch(QStringLiteral("istanbul"), english).containedIn("ISTANBUL"));
    EXPECT_TRUE(LowerCaseMatch(QStringLiteral("Main"), english).equals("MAIN"));
    EXPECT_FALSE(LowerCaseMatch(QStringLiteral("Main"), english).equals("MAIN ST"));
}

} // namespace
