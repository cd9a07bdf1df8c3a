// Host failures: a failing step is skipped and the command goes on; a host that
// cannot be reached ends Find and Get All cleanly and leaves the window usable.
#include "ToolWindowFixture.h"

#include "automation/ClassRegistry.h"

#include <QAction>

using namespace twtest;

namespace {

class FailureTest : public ToolWindowTest {
protected:
    void revokeHost() { automation::RevokeActiveObject("MapPoint.Application", host_.get()); }
    void expectIdle() {
        EXPECT_EQ(form().cmdFindPushpin->Caption(), "Find");
        EXPECT_EQ(form().ButtonShowAll->Caption(), "Get All");
        EXPECT_EQ(form().cursor().shape(), Qt::ArrowCursor);
        EXPECT_FALSE(form().ProgressBar1->isVisible());
    }
};

TEST_F(FailureTest, NoHostEndsFindAndGetAllCleanlyAndTheWindowStaysUsable) {
    setMap({{"A", {{"alpha"}, {"beta"}}}});
    open();
    getAll();
    ASSERT_EQ(rows().size(), 2);
    revokeHost();

    find("a");
    expectIdle();
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(status(), "Matched: 0 of 0 records searched");

    getAll();
    expectIdle();
    EXPECT_EQ(status(), "");
    EXPECT_EQ(desktop_->count(desktop::RecordedCall::Kind::MessageBox), 0);

    maphost::HostApplication::registerRunning(host_);
    find("a");
    EXPECT_EQ(rows(), (QStringList{"alpha", "beta"}));
}

TEST_F(FailureTest, NoActiveMapCountsAsNoHost) {
    setMap({{"A", {{"alpha"}}}});
    open();
    host_->setActiveMap(nullptr);
    find("a");
    expectIdle();
    EXPECT_EQ(status(), "Matched: 0 of 0 records searched");
}

TEST_F(FailureTest, FindSkipsEachFailingStepAndGoesOn) {
    setMap({{"A", {{"Main"}, {"Main st"}, {"Main ave"}, {"x"}}}, {"B", {{"Main rd"}}}});
    useFaults();
    open();

    faults_->failAlways("Map.FindPushpin");
    faults_->failNth("Pushpin.Name", 2); // the second record's name
    find("Main");
    EXPECT_EQ(rows(), (QStringList{"Main", "Main ave", "Main rd"}));
    EXPECT_EQ(status(), "Matched: 3 of 5 records searched");
    expectIdle();

    faults_->clearRules();
    faults_->failAlways("DataSet.QueryAllRecords", "A");
    find("Main");
    EXPECT_EQ(rows(), (QStringList{"Main", "Main rd"}));
    EXPECT_EQ(status(), "Matched: 2 of 1 records searched");

    faults_->clearRules();
    faults_->failAlways("Pushpin.Symbol");
    find("Main");
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(status(), "Matched: 0 of 5 records searched");
}

TEST_F(FailureTest, ARecordCountThatCannotBeReadKeepsTheBarsMaximum) {
    setMap({{"A", numbered("a", 7)}, {"B", numbered("b", 3)}});
    useFaults();
    open();
    faults_->failAlways("DataSet.RecordCount", "B");
    find("b");
    EXPECT_EQ(form().ProgressBar1->maximum(), 7);
    EXPECT_EQ(status(), "Matched: 3 of 10 records searched");
}

TEST_F(FailureTest, ARecordSetThatCannotMoveOnEndsOnlyItsDataset) {
    setMap({{"A", numbered("a", 5)}, {"B", numbered("b", 2)}});
    useFaults();
    open();
    faults_->failFrom("Recordset.MoveNext", 3);
    getAll();
    // a1, a2, a3 (the third MoveNext fails), then B is listed as usual... except
    // that its MoveNext fails as well after b1.
    EXPECT_EQ(rows(), (QStringList{"a1", "a2", "a3", "b1"}));
    expectIdle();

    faults_->clearRules();
    faults_->failAlways("Recordset.Eof", "A");
    find("1");
    EXPECT_EQ(rows(), QStringList{"b1"});
    EXPECT_EQ(status(), "Matched: 1 of 2 records searched");
}

TEST_F(FailureTest, GetAllSkipsRowsThatCannotBeRead) {
    setMap({{"A", {{"one"}, {"two"}, {"three"}}}});
    useFaults();
    open();
    faults_->failNth("Pushpin.Symbol", 2);
    getAll();
    EXPECT_EQ(rows(), (QStringList{"one", "three"}));
    expectIdle();
}

TEST_F(FailureTest, LoadSkipsFailingStepsOneByOne) {
    setMap({{"A", {{"a"}}, 3}, {"B", {{"b"}}, 4}, {"C", {}, 5}});
    host_->setPosition(3000, 3000);
    owner_.app = useFaults();
    faults_->failAlways("Application.Top");
    faults_->failAlways("DataSet.Symbol", "B");
    open();
    // The left is a step of its own: a top that cannot be read keeps it.
    EXPECT_EQ(form().pos().x(), desktop::twipsToPixelsX(3000));
    EXPECT_NE(form().pos().y(), desktop::twipsToPixelsY(4400));
    EXPECT_EQ(form().windowTitle(), "Locastra v2.4");
    QStringList items;
    for (int i = 0; i < form().ImageCombo1->count(); ++i)
        items << form().ImageCombo1->itemText(i);
    // A dataset whose symbol cannot be read is still listed (with picture 1), so it
    // can be chosen.
    EXPECT_EQ(items, (QStringList{"All", "A", "B", "C"}));
    EXPECT_EQ(form().ResultRows()->headerData(0, Qt::Horizontal).toString(), "Pushpin");
    const QImage shown = form().ImageCombo1->itemIcon(2).pixmap(16, 16).toImage();
    EXPECT_EQ(form().ImageList1().picture(1).toImage().convertToFormat(shown.format()), shown);
    form().ImageCombo1->setCurrentIndex(2);
    EXPECT_EQ(status(), "B contains 1 Pushpins");

    // Refresh takes the same steps.
    faults_->clearRules();
    faults_->failAlways("DataSet.Symbol", "C");
    faults_->failAlways("DataSet.Name", "A");
    form().mnuRefresh->trigger();
    items.clear();
    for (int i = 0; i < form().ImageCombo1->count(); ++i)
        items << form().ImageCombo1->itemText(i);
    EXPECT_EQ(items, (QStringList{"All", "B", "C"}));
}

TEST_F(FailureTest, ALeftThatCannotBeReadKeepsTheTop) {
    setMap({{"A", {{"a"}}}});
    host_->setPosition(3000, 3000);
    owner_.app = useFaults();
    faults_->failAlways("Application.Left");
    open();
    EXPECT_EQ(form().pos().y(), desktop::twipsToPixelsY(4400));
}

TEST_F(FailureTest, SelectorChangeEndsSilentlyOnFailure) {
    setMap({{"A", {{"a"}}}});
    useFaults();
    open();
    form().StatusBar1->setPanelText(1, "kept");
    faults_->failAlways("DataSet.RecordCount");
    form().ImageCombo1->setCurrentIndex(1);
    EXPECT_EQ(status(), "kept");
    EXPECT_EQ(desktop_->count(desktop::RecordedCall::Kind::MessageBox), 0);
}

} // namespace
