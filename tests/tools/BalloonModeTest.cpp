#include "ToolsTestSupport.h"

#include "tools/BalloonMode.h"

#include <QButtonGroup>
#include <QRadioButton>

using namespace toolstest;

namespace {

maphost::MapData BalloonMap() {
    maphost::MapData data;
    data.dataSets.push_back(SetOf("A", {PinAt("a1", 1, 1, 0, 0), PinAt("a2", 2, 2, 0, 2)}));
    data.dataSets.push_back(SetOf("B", {PinAt("b1", 3, 3, 0, 1)}));
    data.dataSets.push_back(SetOf("A", {PinAt("a3", 4, 4, 0, 0)}));
    return data;
}

std::vector<int> Balloons(const maphost::MapData& d) {
    std::vector<int> states;
    for (const auto& set : d.dataSets)
        for (const auto& pin : set.pushpins)
            states.push_back(pin.balloonState);
    return states;
}

class BalloonMode : public ToolsTest {
protected:
    void press() { emit form().cmdChange->Click(); }
};

TEST_F(BalloonMode, EachOptionGivesItsStateToTheNamedDatasets) {
    setData(BalloonMap());
    auto& form = openWired();
    EXPECT_TRUE(form.Option1[0]->isChecked());
    choose("A");
    press();
    EXPECT_EQ(Balloons(data()), (std::vector<int>{2, 2, 1, 2}));
    form.Option1[1]->setChecked(true);
    press();
    press(); // twice is the same as once
    EXPECT_EQ(Balloons(data()), (std::vector<int>{1, 1, 1, 1}));
    form.Option1[2]->setChecked(true);
    choose("a"); // case differs: nothing
    press();
    EXPECT_EQ(Balloons(data()), (std::vector<int>{1, 1, 1, 1}));
    choose("All");
    press();
    EXPECT_EQ(Balloons(data()), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_FALSE(form.ProgressBar1->isVisible());
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(messages(), 0);
}

TEST_F(BalloonMode, NoOptionSelectedMeansClosed) {
    auto& form = openWired();
    form.Option1Group->setExclusive(false);
    for (QRadioButton* option : form.Option1)
        option->setChecked(false);
    EXPECT_EQ(tools::ChosenBalloonState(form), 0);
}

TEST_F(BalloonMode, AllEndsEachDatasetsProgressRunAtItsRecordCount) {
    setData(BalloonMap());
    auto& form = openWired();
    // (value, maximum) whenever the value changes; the bar starts at 0 of 2.
    std::vector<std::pair<int, int>> ends;
    QObject::connect(form.ProgressBar1, &QProgressBar::valueChanged, &form,
                     [&](int v) { ends.emplace_back(v, form.ProgressBar1->maximum()); });
    choose("All");
    press();
    EXPECT_EQ(ends,
              (std::vector<std::pair<int, int>>{{0, 2}, {2, 2}, {0, 1}, {1, 1}, {0, 1}, {1, 1}}));
}

TEST_F(BalloonMode, FailuresAreSkippedAndThePointerRestored) {
    setData(BalloonMap());
    useFaults();
    faults_->failAlways("Pushpin.SetBalloonState", "a1");
    faults_->failAlways("DataSet.QueryAllRecords", "B");
    auto& form = openWired();
    form.Option1[1]->setChecked(true);
    choose("All");
    press();
    EXPECT_EQ(Balloons(data()), (std::vector<int>{0, 1, 1, 1}));
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);

    automation::RevokeActiveObject("MapPoint.Application", faultyApp_.get());
    press();
    EXPECT_FALSE(form.ProgressBar1->isVisible());
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(messages(), 0);
}

} // namespace
