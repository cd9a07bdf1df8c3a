// Altitude limits, GoTo, and the symbol collection.
#include "TestMaps.h"
#include "automation/Error.h"
#include "mappoint/Location.h"
#include "mappoint/Symbol.h"
#include "mappoint/Symbols.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using maphost::HostMap;

TEST(View, AltitudeAcceptsOneTo24854Only) {
    auto map = HostMap::create();
    for (double ok : {1.0, 24854.0, 10.0, 1234.5}) {
        map->SetAltitude(ok);
        EXPECT_EQ(map->Altitude(), ok);
    }
    for (double bad : {0.0, 0.999, -5.0, 24854.001, 1e9, double(NAN), double(INFINITY)}) {
        try {
            map->SetAltitude(bad);
            ADD_FAILURE() << "accepted altitude " << bad;
        } catch (const automation::Error& e) {
            EXPECT_EQ(e.number(), automation::errors::InvalidArgument);
        }
        EXPECT_EQ(map->Altitude(), 1234.5);
    }
}

TEST(View, GoToCentresAndTakesTheLocationsAltitude) {
    auto map = HostMap::create();
    map->SetAltitude(500);
    map->GetLocation(-33.5, 151.25, 0)->GoTo();
    EXPECT_EQ(map->view().centerLatitude, -33.5);
    EXPECT_EQ(map->view().centerLongitude, 151.25);
    EXPECT_EQ(map->Altitude(), 500);
    map->GetLocation(10, -20, 42)->GoTo();
    EXPECT_EQ(map->view().centerLongitude, -20);
    EXPECT_EQ(map->Altitude(), 42);
}

TEST(Symbols, BuiltInAtIndices1To256WithIds0To255) {
    auto map = HostMap::create();
    auto symbols = map->Symbols();
    EXPECT_EQ(symbols->Count(), 256);
    EXPECT_EQ(symbols->Item(1)->ID(), 0);
    EXPECT_EQ(symbols->Item(256)->ID(), 255);
    EXPECT_EQ(symbols->Item(100)->ID(), 99);
    for (int bad : {0, 257, -1}) {
        try {
            symbols->Item(bad);
            ADD_FAILURE() << "index " << bad;
        } catch (const automation::Error& e) {
            EXPECT_EQ(e.number(), automation::errors::ItemNotFound);
        }
    }
    EXPECT_THROW(symbols->Item(1)->SetName("Mine"), automation::Error);
    EXPECT_FALSE(map->symbolImage(0).isNull());
    EXPECT_TRUE(map->symbolImage(256).isNull());
}

TEST(Symbols, AddFromPictureFilesGivesIdsFrom256) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    const QString bmp = dir.filePath("hide.bmp");
    const QString png = dir.filePath("second.png");
    ASSERT_TRUE(picture.save(bmp));
    ASSERT_TRUE(picture.save(png));

    auto map = HostMap::create();
    auto symbols = map->Symbols();
    auto hide = symbols->Add(bmp);
    EXPECT_EQ(hide->ID(), 256);
    EXPECT_EQ(hide->Name(), "hide");
    hide->SetName("Hide");
    EXPECT_EQ(symbols->Item(257)->Name(), "Hide");
    auto second = symbols->Add(png);
    EXPECT_EQ(second->ID(), 257);
    EXPECT_EQ(symbols->Count(), 258);
    EXPECT_EQ(symbols->Item(258)->ID(), 257);
    EXPECT_EQ(map->symbolImage(256).size(), QSize(16, 16));

    // A custom symbol is usable at once.
    auto ds = map->DataSets()->AddPushpinSet("Hidden");
    ds->SetSymbol(256);
    EXPECT_EQ(ds->Symbol(), 256);
    EXPECT_THROW(ds->SetSymbol(258), automation::Error);
}

TEST(Symbols, AddRefusesWhatIsNotAPicture) {
    QTemporaryDir dir;
    const QString text = dir.filePath("notes.bmp");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a bitmap\n");
    file.close();
    const QString pipe = dir.filePath("pipe.bmp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    auto map = HostMap::create();
    auto symbols = map->Symbols();
    for (const QString& name : {text, dir.filePath("missing.bmp"), QString(), pipe, dir.path()}) {
        try {
            symbols->Add(name);
            ADD_FAILURE() << "accepted " << name.toStdString();
        } catch (const automation::Error& e) {
            EXPECT_EQ(e.number(), automation::errors::FileError);
            EXPECT_TRUE(e.description().contains(name));
        }
    }
    EXPECT_EQ(symbols->Count(), 256);
}

} // namespace
