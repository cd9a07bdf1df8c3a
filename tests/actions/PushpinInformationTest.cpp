#include "ActionsTestSupport.h"

#include "actions/PushpinActions.h"
#include "actions/PushpinInformation.h"
#include "actions/frmPushpin.h"
#include "geo/PositionCalculator.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTextEdit>
#include <QTreeWidget>
#include <cmath>

using namespace actionstest;
using Kind = desktop::RecordedCall::Kind;

namespace {

// The information texts agree: the same text, except that the numbers after
// "Latitude: " and "Longitude: " may differ by 1e-9 degrees (the derivation's last
// digit), and the shown ones have at most 15 significant digits.
::testing::AssertionResult SameInformation(const QString& actual, const QString& expected) {
    static const QRegularExpression number(
        QStringLiteral("(Latitude|Longitude): (-?[0-9.]+(?:e[-+]?[0-9]+)?)"));
    const auto split = [](const QString& text, QList<double>& values, QStringList& digits) {
        QString shape = text;
        auto it = number.globalMatch(text);
        while (it.hasNext()) {
            const auto m = it.next();
            values << m.captured(2).toDouble();
            digits << m.captured(2);
        }
        shape.replace(number, QStringLiteral("\\1: #"));
        return shape;
    };
    QList<double> actualValues, expectedValues;
    QStringList actualDigits, expectedDigits;
    const QString actualShape = split(actual, actualValues, actualDigits);
    const QString expectedShape = split(expected, expectedValues, expectedDigits);
    if (actualShape != expectedShape || actualValues.size() != expectedValues.size())
        return ::testing::AssertionFailure() << "\n  actual: " << actual.toStdString()
                                             << "\nexpected: " << expected.toStdString();
    for (qsizetype i = 0; i < actualValues.size(); ++i) {
        QString significant = actualDigits[i];
        significant.remove(QRegularExpression(QStringLiteral("[-.]|e.*$")));
        significant.remove(QRegularExpression(QStringLiteral("^0+")));
        if (std::abs(actualValues[i] - expectedValues[i]) > 1e-9 || significant.size() > 15)
            return ::testing::AssertionFailure()
                   << actualDigits[i].toStdString() << " is not " << expectedDigits[i].toStdString()
                   << " in\n  " << actual.toStdString();
    }
    return ::testing::AssertionSuccess();
}

struct WindowContent {
    QString title;
    QString header;
    QString name;
    QString text;
    bool shown = false;
};

class PushpinInformation : public ActionsTest {
protected:
    void SetUp() override {
        ActionsTest::SetUp();
        actions::g_sPushpinInfo.clear();
        actions::g_sPushpinName.clear();
        actions::g_lPushpinSymbol = 0;
        maphost::MapData data;
        maphost::DataSetData withFields;
        withFields.name = "Stores";
        withFields.fields = {
            {"Store", QMetaType::QString}, {"Sales", QMetaType::Double}, {"Open", QMetaType::Bool}};
        withFields.pushpins = {Pin("Downtown", 40.5, -74.25, {"No. 7", 1234.5, true}, "", 12),
                               Pin("Uptown", 41, -73.5, {QVariant(), 2.0, false}, "", 3)};
        maphost::DataSetData plain;
        plain.name = "Plain";
        plain.pushpins = {Pin("Cabin", 60.25, 10.5, {}, "Key under mat", 45),
                          Pin("Shed", -10, 20, {}, "", 255)};
        data.dataSets = {withFields, plain};
        openMap(data);
        for (const char* name : {"Downtown", "Uptown", "Cabin", "Shed"})
            rows.addRow(name, false);
    }

    // The position lines for a pushpin stored at (latitude, longitude). The window shows
    // the derived position, which may differ from the stored one in the last of its 15
    // digits: compare with SameInformation.
    static QString position(double latitude, double longitude) {
        return QStringLiteral("Latitude: %1\r\nLongitude: %2").arg(latitude).arg(longitude);
    }

    // Runs the command, reads the window it opens and closes it by the close box
    // (or with act, when given).
    WindowContent run(std::function<void(QDialog*)> act = {}) {
        WindowContent content;
        OnNextModal([&content, act](QDialog* dialog) {
            content.shown = true;
            content.title = dialog->windowTitle();
            auto* list = dialog->findChild<QTreeWidget*>("ListView1");
            content.header = list->headerItem()->text(0);
            if (list->topLevelItemCount() == 1)
                content.name = list->topLevelItem(0)->text(0);
            content.text = static_cast<actions::frmPushpin*>(dialog)->informationText();
            if (act)
                act(dialog);
            else
                dialog->close();
        });
        actions::ShowPushpinInformation(rows);
        return content;
    }
};

TEST_F(PushpinInformation, FieldLinesThenPosition) {
    rows.rows[0].selected = true;
    const auto content = run();
    ASSERT_TRUE(content.shown);
    EXPECT_EQ(content.title, "Pushpin Information");
    EXPECT_EQ(content.header, "Pushpin");
    EXPECT_EQ(content.name, "Downtown");
    const QString expected =
        "Store: No. 7\r\nSales: 1234.5\r\nOpen: True\r\n" + position(40.5, -74.25);
    EXPECT_TRUE(SameInformation(actions::g_sPushpinInfo, expected));
    EXPECT_TRUE(SameInformation(content.text, expected));
    EXPECT_EQ(actions::g_lPushpinSymbol, 12);
    EXPECT_DOUBLE_EQ(view().centerLatitude, 40.5);
}

// The wrapper hands out a new field object per Item call that nothing else holds, so
// a field read after its statement ends is caught as a call on a destroyed object.
TEST_F(PushpinInformation, FieldObjectsOwnedOnlyByTheCallerStayAliveWhileRead) {
    useFaults();
    rows.rows[0].selected = true;
    run();
    EXPECT_TRUE(
        SameInformation(actions::g_sPushpinInfo, "Store: No. 7\r\nSales: 1234.5\r\nOpen: True\r\n" +
                                                     position(40.5, -74.25)));
}

TEST_F(PushpinInformation, NoFieldsGivesNameAndNoteLines) {
    rows.rows[2].selected = true;
    run();
    EXPECT_TRUE(SameInformation(actions::g_sPushpinInfo,
                                "Name: Cabin\r\nNote: Key under mat\r\n" + position(60.25, 10.5)));
    rows.rows[2].selected = false;
    rows.rows[3].selected = true;
    run();
    EXPECT_TRUE(
        SameInformation(actions::g_sPushpinInfo, "Name: Shed\r\nNote: \r\n" + position(-10, 20)));
    EXPECT_EQ(actions::g_lPushpinSymbol, 255);
}

TEST_F(PushpinInformation, TwoRowsAreJoinedAndTheSecondGetsNoNameLines) {
    rows.rows[1].selected = true;
    rows.rows[3].selected = true;
    const auto content = run();
    EXPECT_TRUE(SameInformation(actions::g_sPushpinInfo, "Store: \r\nSales: 2\r\nOpen: False\r\n" +
                                                             position(41, -73.5) +
                                                             position(-10, 20)));
    EXPECT_EQ(content.name, "Shed");
}

TEST_F(PushpinInformation, NothingSelectedShowsAnEmptyTextAndTheLastHeader) {
    auto content = run();
    EXPECT_TRUE(content.shown);
    EXPECT_EQ(content.text, "");
    EXPECT_EQ(content.name, "");
    rows.rows[2].selected = true;
    run();
    rows.rows[2].selected = false;
    content = run();
    EXPECT_EQ(content.text, "");
    EXPECT_EQ(content.name, "Cabin");
}

TEST_F(PushpinInformation, CloseEmptiesTheTextTheCloseBoxDoesNot) {
    rows.rows[2].selected = true;
    run();
    EXPECT_FALSE(actions::g_sPushpinInfo.isEmpty());
    run([](QDialog* dialog) { ClickButton(dialog, "ButtonClose"); });
    EXPECT_TRUE(actions::g_sPushpinInfo.isEmpty());
    // Opening again for another pushpin shows only that one.
    rows.rows[2].selected = false;
    rows.rows[3].selected = true;
    const auto content = run();
    EXPECT_TRUE(content.text.startsWith("Name: Shed"));
}

TEST_F(PushpinInformation, CopyPutsTheWholeTextWithItsLineBreaksOnTheClipboard) {
    rows.rows[2].selected = true;
    bool stillOpen = false;
    run([&](QDialog* dialog) {
        ClickButton(dialog, "ButtonCopy");
        stillOpen = dialog->isVisible();
        dialog->close();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(SameInformation(desktop->clipboardText(),
                                "Name: Cabin\r\nNote: Key under mat\r\n" + position(60.25, 10.5)));
    EXPECT_EQ(desktop->count(Kind::MessageBox), 0);
}

TEST_F(PushpinInformation, PrintCancelledPrintsNothingAndKeepsTheWindow) {
    rows.rows[2].selected = true;
    desktop->setPrintAnswer(desktop::PrintRange::Cancelled);
    bool stillOpen = false;
    run([&](QDialog* dialog) {
        ClickButton(dialog, "ButtonPrint");
        stillOpen = dialog->isVisible();
        dialog->close();
    });
    EXPECT_TRUE(stillOpen);
    const auto prints = desktop->callsOf(Kind::PrintDocument);
    ASSERT_EQ(prints.size(), 1);
    EXPECT_FALSE(prints[0].print.hasSelection);
    EXPECT_TRUE(prints[0].printedText.isEmpty());
    EXPECT_EQ(desktop->count(Kind::MessageBox), 0);
}

TEST_F(PushpinInformation, PrintOffersAndPrintsTheSelection) {
    rows.rows[2].selected = true;
    desktop->setPrintAnswer(desktop::PrintRange::Selection);
    run([&](QDialog* dialog) {
        auto* box = dialog->findChild<QTextEdit*>("RichTextBox1");
        QTextCursor cursor(box->document());
        cursor.setPosition(0);
        cursor.setPosition(11, QTextCursor::KeepAnchor);
        box->setTextCursor(cursor);
        ClickButton(dialog, "ButtonPrint");
        dialog->close();
    });
    const auto prints = desktop->callsOf(Kind::PrintDocument);
    ASSERT_EQ(prints.size(), 1);
    EXPECT_TRUE(prints[0].print.hasSelection);
    EXPECT_EQ(prints[0].selectionText, "Name: Cabin");
    EXPECT_EQ(prints[0].printedText, "Name: Cabin");
}

TEST_F(PushpinInformation, FailingStepsLeaveTheirLinesOut) {
    useFaults();
    injector->failAlways("Field.Value");
    rows.rows[0].selected = true;
    run();
    // Every field line failed: the text was still empty, so the name lines come in.
    EXPECT_TRUE(SameInformation(actions::g_sPushpinInfo,
                                "Name: Downtown\r\nNote: \r\n" + position(40.5, -74.25)));

    injector->clearRules();
    injector->failAlways("Map.Distance");
    rows.lat = 1.5;
    rows.lon = 2.5;
    run();
    // A failed derivation shows what the variables held.
    EXPECT_TRUE(actions::g_sPushpinInfo.endsWith("Latitude: 1.5\r\nLongitude: 2.5"));
}

// The header list shows its one row whole in the fonts of both hosts, and the text box
// stays below it.
TEST(PushpinInformationWindow, TheHeaderRowShowsWholeInALargerFont) {
    const QFont before = QApplication::font();
    for (const int points : {8, 10, 13}) {
        QFont font = before;
        font.setPointSize(points);
        QApplication::setFont(font);
        actions::frmPushpin window;
        const auto* list = window.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        const auto* text = window.findChild<QTextEdit*>(QStringLiteral("RichTextBox1"));
        ASSERT_TRUE(list && text);
        window.show();
        const QRect row = list->visualItemRect(list->topLevelItem(0));
        EXPECT_LE(row.bottom(), list->viewport()->rect().bottom()) << points << " points";
        EXPECT_GT(text->geometry().top(), list->geometry().bottom()) << points << " points";
    }
    QApplication::setFont(before);
}

} // namespace
