// Names for tables and columns: plain names are kept, anything else gets a unique
// generated name, and nothing ever collides with a reserved or an earlier name.
#include "maphost/document/TableNames.h"

#include <QSet>
#include <gtest/gtest.h>

using maphost::TableNames;

TEST(TableNames, KeepsPlainNamesAndGeneratesUniqueOnesForTheRest) {
    TableNames names({QStringLiteral("gpkg_"), QStringLiteral("locastra_")},
                     {QStringLiteral("fid"), QStringLiteral("geom")});
    EXPECT_EQ(names.allocate(QStringLiteral("Stops"), QStringLiteral("dataset_"), 1),
              QStringLiteral("Stops"));
    const QStringList wanted = {QStringLiteral("Stops"),
                                QStringLiteral("stops"),
                                QStringLiteral("FID"),
                                QStringLiteral("gpkg_contents"),
                                QStringLiteral("Locastra_view"),
                                QStringLiteral("a b"),
                                QStringLiteral("a_b"),
                                QStringLiteral("1st"),
                                QString(),
                                QStringLiteral("Zürich"),
                                QStringLiteral("\"'"),
                                QStringLiteral("dataset_2_stops")};
    QSet<QString> seen{QStringLiteral("stops"), QStringLiteral("fid"), QStringLiteral("geom")};
    for (int i = 0; i < wanted.size(); ++i) {
        const QString name = names.allocate(wanted[i], QStringLiteral("dataset_"), i + 2);
        SCOPED_TRACE(wanted[i].toStdString() + " -> " + name.toStdString());
        EXPECT_TRUE(TableNames::isPlainIdentifier(name));
        EXPECT_FALSE(name.startsWith(QStringLiteral("gpkg_"), Qt::CaseInsensitive));
        EXPECT_FALSE(name.startsWith(QStringLiteral("locastra_"), Qt::CaseInsensitive));
        EXPECT_FALSE(seen.contains(name.toLower()));
        seen.insert(name.toLower());
    }
    // What can be kept of an odd name is kept, so GIS users still recognise the table.
    EXPECT_EQ(names.allocate(QStringLiteral("Bus stops (2024)"), QStringLiteral("dataset_"), 20),
              QStringLiteral("dataset_20_Bus_stops_2024"));
    EXPECT_EQ(names.allocate(QStringLiteral("Bus stops (2024)"), QStringLiteral("dataset_"), 20),
              QStringLiteral("dataset_20_Bus_stops_2024_2"));
}
