#include "CoordinatePair.h"

#include <QList>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

namespace geo {

namespace {

const QString TooManyCommas = QStringLiteral("Too many commas: separate the latitude and the "
                                             "longitude with one comma");

bool isHemisphereLetter(QChar c) {
    return QStringLiteral("NSEWnsew").contains(c);
}

bool isDecimalComma(const QString& text, qsizetype at) {
    return at > 0 && at + 1 < text.size() && text.at(at - 1).isDigit() && text.at(at + 1).isDigit();
}

QString withDecimalPoints(QString text) {
    return text.replace(QLatin1Char(','), QLatin1Char('.'));
}

CoordinatePair splitAt(const QString& text, qsizetype at) {
    return {withDecimalPoints(text.left(at)), withDecimalPoints(text.mid(at + 1)), {}};
}

// Splits a pair written without a separator character at the hemisphere letters:
// after the first letter when the letters trail ("51 30 N 0 7 W"), before the second
// when they lead ("N 51 30 W 0 7"). False when the letters do not show the split.
bool splitAtHemispheres(const QString& text, CoordinatePair& pair) {
    QList<qsizetype> letters;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (isHemisphereLetter(text.at(i)))
            letters.push_back(i);
    if (letters.size() != 2)
        return false;
    qsizetype cut = -1;
    if (letters[1] == text.size() - 1 && letters[0] > 0)
        cut = letters[0] + 1;
    else if (letters[0] == 0)
        cut = letters[1];
    if (cut <= 0)
        return false;
    pair = {text.left(cut), text.mid(cut), {}};
    return true;
}

// A pair with no separator character: two words, or the hemisphere letters show the
// split. The text has decimal points only.
CoordinatePair splitAtWhiteSpace(const QString& text) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    const QStringList words = text.split(space);
    if (words.size() == 2)
        return {words[0], words[1], {}};
    CoordinatePair pair;
    if (splitAtHemispheres(text, pair))
        return pair;
    pair.reason = words.size() == 1
                      ? QStringLiteral("Type both a latitude and a longitude")
                      : QStringLiteral("Separate the latitude and the longitude with a comma");
    return pair;
}

} // namespace

CoordinatePair SplitCoordinatePair(const QString& text) {
    const qsizetype semicolon = text.indexOf(QLatin1Char(';'));
    if (semicolon >= 0) {
        if (text.indexOf(QLatin1Char(';'), semicolon + 1) >= 0)
            return {{},
                    {},
                    QStringLiteral("Too many semicolons: separate the latitude and the "
                                   "longitude with one")};
        return splitAt(text, semicolon);
    }
    QList<qsizetype> separators;
    QList<qsizetype> betweenDigits;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u',')
            (isDecimalComma(text, i) ? betweenDigits : separators).push_back(i);
    }
    if (separators.size() > 1)
        return {{}, {}, TooManyCommas};
    if (separators.size() == 1)
        return splitAt(text, separators.front());
    if (betweenDigits.isEmpty())
        return splitAtWhiteSpace(text);
    // Every comma stands between digits: decimal commas when white space or the
    // hemisphere letters split the pair.
    CoordinatePair pair = splitAtWhiteSpace(withDecimalPoints(text));
    if (pair.reason.isEmpty())
        return pair;
    if (text.contains(QLatin1Char('.'))) {
        if (betweenDigits.size() > 1)
            return {{}, {}, TooManyCommas};
        return splitAt(text, betweenDigits.front());
    }
    if (betweenDigits.size() == 3)
        return {withDecimalPoints(text.left(betweenDigits[1])),
                withDecimalPoints(text.mid(betweenDigits[1] + 1)),
                {}};
    if (betweenDigits.size() == 1 && QString(QLocale().decimalPoint()) != QStringLiteral(","))
        return splitAt(text, betweenDigits.front());
    if (betweenDigits.size() > 1)
        pair.reason = QStringLiteral("Too many commas: separate the latitude and the longitude "
                                     "with one comma, or with a semicolon after decimal commas");
    return pair;
}

} // namespace geo
