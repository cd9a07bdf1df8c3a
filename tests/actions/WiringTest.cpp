#include "ActionsTestSupport.h"

#include "addin/ToolWindowWiring.h"
#include "toolwindow/ResultListModel.h"
#include "toolwindow/ResultListView.h"
#include "toolwindow/frmAddIn.h"

#include <QAction>
#include <QItemSelectionModel>

using namespace actionstest;
using Kind = desktop::RecordedCall::Kind;

namespace {

class Wiring : public ActionsTest {
protected:
    void SetUp() override {
        ActionsTest::SetUp();
        maphost::MapData data;
        maphost::DataSetData set;
        set.name = "Pins";
        set.pushpins = {Pin("North", 60, 5), Pin("South", -40, -70)};
        data.dataSets.push_back(set);
        openMap(data);
        form = std::make_unique<toolwindow::frmAddIn>();
        locastra::WireToolWindow(*form);
        form->ResultRows()->append("North", 1);
        form->ResultRows()->append("South", 1);
        form->ResultRows()->flush();
    }
    void TearDown() override {
        form.reset();
        ActionsTest::TearDown();
    }

    void select(int row) {
        const QModelIndex index = form->ResultRows()->index(row, 0);
        form->ListView1->selectionModel()->select(index, QItemSelectionModel::Select);
    }

    std::unique_ptr<toolwindow::frmAddIn> form;
};

TEST_F(Wiring, MenuEntriesActOnTheSelectedRows) {
    select(1);
    form->mnuShowName->trigger();
    EXPECT_EQ(pinState("South").balloonState, 1);
    EXPECT_EQ(pinState("North").balloonState, 0);

    form->mnuGetLatLon->trigger();
    const auto boxes = desktop->callsOf(Kind::MessageBox);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_NEAR(form->thelat, -40, 1e-9);
    EXPECT_NEAR(form->thelon, -70, 1e-9);
    // The two derived numbers, " , " between them (the last of 15 digits may differ).
    const QStringList parts = boxes[0].text.split(" , ");
    ASSERT_EQ(parts.size(), 2) << boxes[0].text.toStdString();
    EXPECT_NEAR(parts[0].toDouble(), -40, 1e-9);
    EXPECT_NEAR(parts[1].toDouble(), -70, 1e-9);

    form->mnuDeletePushpin->trigger();
    EXPECT_FALSE(pinAlive("South"));
    EXPECT_EQ(form->ResultRows()->rowCount(), 1);
}

TEST_F(Wiring, DoubleClickOpensTheRowsPushpin) {
    select(0);
    emit form->ListView1->doubleClicked(form->ResultRows()->index(0, 0));
    EXPECT_TRUE(isSelected("North"));
    EXPECT_EQ(pinState("North").balloonState, 2);
    EXPECT_EQ(view().altitude, 10.0);
}

} // namespace
