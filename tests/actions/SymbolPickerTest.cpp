#include "ActionsTestSupport.h"

#include "actions/PushpinActions.h"
#include "actions/SymbolPicker.h"

#include <QListWidget>

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
        selectSymbol(d, 0);
        emit symbolList(d)->itemDoubleClicked(symbolList(d)->item(0));
    });
    actions::ChangePushpinSymbol(rows);
    EXPECT_EQ(actions::g_lSelectedSymbol, 0);
    EXPECT_EQ(pinState("One").symbol, 0);
    EXPECT_EQ(rows.rows[0].smallIcon, 1);
    EXPECT_TRUE(isSelected("One"));
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
