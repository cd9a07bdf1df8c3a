// GoogleTest entry point inside an offscreen QgsApplication with a QGIS profile of
// its own, so tests never read or write the user's QGIS settings.
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <qgsapplication.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir profile;
    QgsApplication app(argc, argv, false, profile.path());
    QgsApplication::initQgis();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    QgsApplication::exitQgis();
    return result;
}
