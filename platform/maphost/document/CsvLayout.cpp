#include "CsvLayout.h"

#include "GdalSupport.h"

#include <QFile>
#include <cpl_csv.h>
#include <cpl_vsi.h>
#include <memory>

namespace maphost {

namespace {

// Column names taken as coordinates (compared case-insensitively).
const QStringList LatitudeNames = {QStringLiteral("latitude"), QStringLiteral("lat"),
                                   QStringLiteral("y")};
const QStringList LongitudeNames = {QStringLiteral("longitude"), QStringLiteral("lon"),
                                    QStringLiteral("long"), QStringLiteral("lng"),
                                    QStringLiteral("x")};

struct FileCloser {
    void operator()(VSILFILE* fp) const { VSIFCloseL(fp); }
};
using FilePtr = std::unique_ptr<VSILFILE, FileCloser>;

// The one column whose name is in names; -1 with reason set when none or several are.
int coordinateColumn(const QStringList& columns, const QStringList& names, const QString& what,
                     QString& reason) {
    QStringList found;
    int index = -1;
    for (int i = 0; i < columns.size(); ++i) {
        if (names.contains(columns[i].trimmed(), Qt::CaseInsensitive)) {
            found << QStringLiteral("\"%1\" (column %2)").arg(columns[i]).arg(i + 1);
            index = i;
        }
    }
    if (found.size() > 1 && reason.isEmpty())
        reason = QStringLiteral("the columns %1 could each be the %2; keep only one of them")
                     .arg(found.join(QLatin1String(", ")), what);
    return found.size() == 1 ? index : -1;
}

} // namespace

QString CsvLayout::scan(const QString& path) {
    const FilePtr fp(VSIFOpenL(QFile::encodeName(path).constData(), "rb"));
    if (!fp)
        return QStringLiteral("the file cannot be read");
    if (const char* firstLine = CPLReadLine2L(fp.get(), -1, nullptr))
        delimiter = CSVDetectSeperator(firstLine);
    VSIRewindL(fp.get());

    const char separator[] = {delimiter, '\0'};
    auto readRecord = [&]() -> CPLStringList {
        return CPLStringList(CSVReadParseLine3L(fp.get(), 0, separator, true, false, false, true));
    };
    const CPLStringList header = readRecord();
    for (int i = 0; i < header.size(); ++i)
        columns << gdal::decodeText(header[i]);

    QString reason;
    latitude = coordinateColumn(columns, LatitudeNames, QStringLiteral("latitude"), reason);
    longitude = coordinateColumn(columns, LongitudeNames, QStringLiteral("longitude"), reason);
    if (!reason.isEmpty())
        return reason;
    if (latitude < 0 || longitude < 0)
        return QStringLiteral("no coordinate columns found (latitude/lat/y and "
                              "longitude/lon/long/lng/x)");

    qint64 record = 0;
    for (;;) {
        const vsi_l_offset before = VSIFTellL(fp.get());
        const CPLStringList cells = readRecord();
        // The end, or a read error that would return nothing for ever.
        if (cells.empty() && (VSIFEofL(fp.get()) || VSIFTellL(fp.get()) == before))
            break;
        if (cells.size() == 0 || (cells.size() == 1 && *cells[0] == '\0'))
            continue; // blank lines are no records
        ++record;
        for (int i = header.size(); i < cells.size(); ++i)
            if (*cells[i] != '\0')
                return QStringLiteral("record %1 has %2 values, but the header names only %3 "
                                      "columns")
                    .arg(record)
                    .arg(cells.size())
                    .arg(header.size());
    }
    return {};
}

} // namespace maphost
