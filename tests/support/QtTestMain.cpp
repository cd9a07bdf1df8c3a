// GoogleTest entry point with a QApplication, so widget tests run offscreen.
#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Tests measure text. The offscreen platform's default font is 9 pt in Qt 6 but
    // 12 pt in Qt 5, so both builds get the same one.
    QApplication::setFont(QFont(QStringLiteral("Sans Serif"), 9));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
