#include "LenientValues.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace maphost::lenient {

namespace {

bool isNumber(QStringView text) {
    bool ok = false;
    (void)text.trimmed().toDouble(&ok);
    return ok;
}

// Walks the elements of an XML file; check returns a problem or an empty string.
template <typename Check> QString firstProblem(const QString& path, Check check) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (const QString problem = check(xml); !problem.isEmpty())
            return QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(problem);
    }
    return {};
}

} // namespace

QString gpxCoordinateProblem(const QString& path) {
    return firstProblem(path, [](QXmlStreamReader& xml) -> QString {
        const QStringView name = xml.name();
        if (name != u"wpt" && name != u"rtept" && name != u"trkpt")
            return {};
        for (const QString& attribute : {QStringLiteral("lat"), QStringLiteral("lon")}) {
            const QStringView value = xml.attributes().value(attribute);
            if (!isNumber(value))
                return QStringLiteral("the %1 of a %2 is %3")
                    .arg(attribute, name,
                         value.isNull() ? QStringLiteral("missing")
                                        : QStringLiteral("not a number (\"%1\")").arg(value));
        }
        return {};
    });
}

QString kmlCoordinateProblem(const QString& path) {
    return firstProblem(path, [](QXmlStreamReader& xml) -> QString {
        if (xml.name() != u"coordinates")
            return {};
        const QString text = xml.readElementText();
        static const QRegularExpression space(QStringLiteral("\\s+"));
        for (const QString& tuple : text.split(space, Qt::SkipEmptyParts)) {
            const QStringList parts = tuple.split(u',');
            bool numbers = parts.size() == 2 || parts.size() == 3;
            for (const QString& part : parts)
                numbers = numbers && isNumber(part);
            if (!numbers)
                return QStringLiteral("the coordinates \"%1\" are not two or three numbers")
                    .arg(tuple);
        }
        return {};
    });
}

QString geoJsonNulProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.contains('\0'))
        return QStringLiteral("the file contains a NUL byte");
    // An escape counts when an odd number of backslashes leads up to the "u".
    for (qsizetype at = bytes.indexOf("u0000"); at >= 0; at = bytes.indexOf("u0000", at + 1)) {
        qsizetype backslashes = 0;
        while (at - backslashes > 0 && bytes[at - backslashes - 1] == '\\')
            ++backslashes;
        if (backslashes % 2 == 1)
            return QStringLiteral("a text contains the NUL character (\\u0000), which would "
                                  "cut it short");
    }
    return {};
}

} // namespace maphost::lenient
