#include "ActionsTestSupport.h"

#include "actions/PushpinActions.h"
#include "actions/SymbolPicker.h"
#include "actions/frmPushpin.h"
#include "actions/frmSelectPushpinSymbol.h"

#include <QListWidget>
#include <QTest>

using namespace actionstest;

namespace {

QListWidget* symbolList(QDialog* dialog) {
    return dialog->findChild<QListWidget*>("ListView1");
}

void selectSymbol(QDialog* dialog, int symbol) {
    auto* list = symbolList(dialog);
    list->clearSelection();
    if (symbol >= 0)
        list->item(symbol)->setSelected(true);
}

class SymbolPicker : public ActionsTest {
protected:
    void SetUp() override {
        ActionsTest::SetUp();
        maphost::MapData data;
        maphost::DataSetData set;
        set.name = "Pins";
        set.pushpins = {Pin("One", 1, 1, {}, "", 5), Pin("Two", 2, 2, {}, "", 6)};
        data.dataSets.push_back(set);
        openMap(data);
        rows.addRow("One", false);
        rows.addRow("Two", false);
    }
};

TEST_F(SymbolPicker, ListsTheSymbolsInNumberOrder) {
    QStringList labels;
    bool editable = true;
    QString title;
    OnNextModal([&](QDialog* dialog) {
        title = dialog->windowTitle();
        auto* list = symbolList(dialog);
        for (int i = 0; i < list->count(); ++i) {
            labels << list->item(i)->text();
            editable &= bool(list->item(i)->flags() & Qt::ItemIsEditable);
        }
        ClickButton(dialog, "buttonCancle");
    });
    actions::g_lSelectedSymbol = 17;
    EXPECT_EQ(actions::OpenSymbolPicker(nullptr), actions::NoSymbolChosen);
    EXPECT_EQ(title, "Select Pushpin Symbol");
    ASSERT_EQ(labels.size(), 256);
    EXPECT_EQ(labels.front(), "0");
    EXPECT_EQ(labels[100], "100");
    EXPECT_EQ(labels.back(), "255");
    EXPECT_FALSE(editable);
}

TEST_F(SymbolPicker, CancelSelectWithNothingAndCloseBoxMakeNoChoice) {
    rows.rows[0].selected = true;
    const std::vector<std::function<void(QDialog*)>> ways = {[](QDialog* d) {
                                                                 selectSymbol(d, 9);
                                                                 ClickButton(d, "buttonCancle");
                                                             },
                                                             [](QDialog* d) {
                                                                 selectSymbol(d, -1);
                                                                 ClickButton(d, "ButtonSelect");
                                                             },
                                                             [](QDialog* d) {
                                                                 selectSymbol(d, 9);
                                                                 d->close();
                                                             }};
    for (const auto& way : ways) {
        OnNextModal(way);
        actions::ChangePushpinSymbol(rows);
        EXPECT_EQ(actions::g_lSelectedSymbol, actions::NoSymbolChosen);
        EXPECT_EQ(pinState("One").symbol, 5);
        EXPECT_EQ(rows.rows[0].smallIcon, 1);
    }
}

TEST_F(SymbolPicker, DoubleClickOnSymbolZeroIsAChoice) {
    rows.rows[0].selected = true;
    OnNextModal([](QDialog* d) {
        QListWidget* list = symbolList(d);
        list->clearSelection();
        // A double-click as the window system delivers it: a click, then the second
        // press as a double-click.
        const QPoint at = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    });
    actions::ChangePushpinSymbol(rows);
    EXPECT_EQ(actions::g_lSelectedSymbol, 0);
    EXPECT_EQ(pinState("One").symbol, 0);
    EXPECT_EQ(rows.rows[0].smallIcon, 1);
    EXPECT_TRUE(isSelected("One"));
}

// A double-click on the list takes the choice, also beside the items.
TEST_F(SymbolPicker, DoubleClickOnTheListsEmptyAreaTakesTheSelectedSymbol) {
    rows.rows[0].selected = true;
    bool clickedBesideTheItems = false;
    OnNextModal([&](QDialog* d) {
        QListWidget* list = symbolList(d);
        list->scrollToBottom();
        selectSymbol(d, 7);
        // A point of the list's area that shows no item.
        QPoint empty(-1, -1);
        const QRect area = list->viewport()->rect();
        for (int y = area.bottom() - 1; y > 0 && empty.x() < 0; y -= 2)
            for (int x = area.right() - 1; x > 0 && empty.x() < 0; x -= 2)
                if (!list->itemAt(QPoint(x, y)))
                    empty = QPoint(x, y);
        clickedBesideTheItems = empty.x() >= 0;
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, empty);
        if (d->isVisible())
            ClickButton(d, "buttonCancle");
    });
    actions::ChangePushpinSymbol(rows);
    EXPECT_TRUE(clickedBesideTheItems);
    EXPECT_EQ(actions::g_lSelectedSymbol, 7);
    EXPECT_EQ(pinState("One").symbol, 7);
}

// The picker has a fixed single-line frame, the information window a fixed tool-window
// frame: title and close box, no minimise or maximise box, no resizing.
TEST_F(SymbolPicker, FixedWindowsHaveNoMinimiseOrMaximiseBox) {
    actions::frmSelectPushpinSymbol picker;
    actions::frmPushpin information;
    for (QDialog* dialog : {static_cast<QDialog*>(&picker), static_cast<QDialog*>(&information)}) {
        const Qt::WindowFlags flags = dialog->windowFlags();
        EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << dialog->objectName().toStdString();
        EXPECT_TRUE(flags & Qt::WindowTitleHint);
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint) << dialog->objectName().toStdString();
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint) << dialog->objectName().toStdString();
        EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    }
    EXPECT_EQ(information.windowType(), Qt::Tool);
    EXPECT_EQ(picker.windowType(), Qt::Dialog);
}

TEST_F(SymbolPicker, TwoRowsGetSymbol255AndTheLastPicture) {
    rows.rows[0].selected = true;
    rows.rows[1].selected = true;
    const double altitude = view().altitude;
    OnNextModal([](QDialog* d) {
        selectSymbol(d, 255);
        ClickButton(d, "ButtonSelect");
    });
    actions::ChangePushpinSymbol(rows);
    EXPECT_EQ(pinState("One").symbol, 255);
    EXPECT_EQ(pinState("Two").symbol, 255);
    EXPECT_EQ(rows.rows[0].smallIcon, 256);
    EXPECT_EQ(rows.rows[1].smallIcon, 256);
    EXPECT_TRUE(isSelected("Two"));
    EXPECT_DOUBLE_EQ(view().centerLatitude, 2);
    EXPECT_EQ(view().altitude, altitude);
}

TEST_F(SymbolPicker, RowWithoutPushpinStillShowsTheNewPicture) {
    rows.rows[0].text = "Gone";
    rows.rows[0].selected = true;
    OnNextModal([](QDialog* d) {
        selectSymbol(d, 42);
        ClickButton(d, "ButtonSelect");
    });
    actions::ChangePushpinSymbol(rows);
    EXPECT_EQ(rows.rows[0].smallIcon, 43);
    EXPECT_EQ(pinState("One").symbol, 5);
}

TEST_F(SymbolPicker, NoRowSelectedStillOpensThePicker) {
    bool opened = false;
    OnNextModal([&](QDialog* d) {
        opened = true;
        selectSymbol(d, 3);
        ClickButton(d, "ButtonSelect");
    });
    actions::ChangePushpinSymbol(rows);
    EXPECT_TRUE(opened);
    EXPECT_EQ(actions::g_lSelectedSymbol, 3);
    EXPECT_EQ(pinState("One").symbol, 5);
}

TEST_F(SymbolPicker, ALabelThatIsNotANumberIsNoChoice) {
    OnNextModal([](QDialog* d) {
        selectSymbol(d, 7);
        symbolList(d)->item(7)->setText("seven");
        ClickButton(d, "ButtonSelect");
    });
    EXPECT_EQ(actions::OpenSymbolPicker(nullptr), actions::NoSymbolChosen);
}

} // namespace
