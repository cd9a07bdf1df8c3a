#include "ToolsTestSupport.h"
#include "widgets/chameleonButton.h"

#include "actions/SymbolPicker.h"
#include "tools/DataSetCommands.h"

#include <QAction>
#include <QListWidget>

using namespace toolstest;

namespace {

// Two datasets named "Stores" (at 40N 100W and 10S 30E) and one "stores".
maphost::MapData StoresMap() {
    maphost::MapData data;
    data.dataSets.push_back(
        SetOf("Stores", {PinAt("s1", 40, -100, 3, 2), PinAt("s2", 40.5, -100.5, 4, 1)}));
    data.dataSets.push_back(SetOf("stores", {PinAt("lower", 0, 0, 5, 2)}));
    data.dataSets.push_back(SetOf("Stores", {PinAt("s3", -10, 30, 6, 2)}));
    data.dataSets.push_back(SetOf("Empty", {}));
    return data;
}

const maphost::PushpinData& PinOf(const maphost::MapData& d, const QString& name) {
    for (const auto& set : d.dataSets)
        for (const auto& pin : set.pushpins)
            if (pin.name == name)
                return pin;
    throw std::runtime_error("no such pin");
}

int HideSymbolCount(const maphost::MapData& d) {
    int count = 0;
    for (const auto& symbol : d.customSymbols)
        count += symbol.name == "Hide";
    return count;
}

int HideSymbolId(const maphost::MapData& d) {
    for (const auto& symbol : d.customSymbols)
        if (symbol.name == "Hide")
            return symbol.id;
    return -1;
}

// Picks symbol in the symbol picker, or closes it without a choice when symbol < 0.
void PickNext(int symbol) {
    OnNextModal([symbol](QDialog* dialog) {
        if (symbol < 0) {
            dialog->close();
            return;
        }
        auto* list = dialog->findChild<QListWidget*>("ListView1");
        list->clearSelection();
        list->item(symbol)->setSelected(true);
        emit dialog->findChild<chameleonButton*>("ButtonSelect")->Click();
    });
}

class DataSetCommands : public ToolsTest {};

TEST_F(DataSetCommands, ZoomGoesToTheFirstExactlyNamedDatasetOnly) {
    setData(StoresMap());
    auto& form = openWired();
    const maphost::ViewData before = map_->view();
    for (const QString choice : {"All", "STORES", "nothing"}) {
        choose(choice);
        form.mnuZoomtoDataset->trigger();
        EXPECT_EQ(map_->view().centerLatitude, before.centerLatitude) << choice.toStdString();
        EXPECT_EQ(map_->view().centerLongitude, before.centerLongitude);
    }
    choose("Stores");
    form.mnuZoomtoDataset->trigger();
    EXPECT_NEAR(map_->view().centerLatitude, 40.25, 0.5);
    EXPECT_NEAR(map_->view().centerLongitude, -100.25, 0.5);
    EXPECT_EQ(messages(), 0);
}

TEST_F(DataSetCommands, HideAndUnhideRefuseAll) {
    setData(StoresMap());
    auto& form = openWired();
    choose("All");
    form.mnuHideDataset->trigger();
    form.mnuChangePushpin4Dataset->trigger(); // no picker opens: the test would hang
    ASSERT_EQ(messages(), 2);
    for (const auto& call : desktop_->callsOf(desktop::RecordedCall::Kind::MessageBox)) {
        EXPECT_EQ(call.text, "You must first select a Dataset from the List");
        EXPECT_EQ(call.title, "Error");
        EXPECT_EQ(call.icon, desktop::Icon::Critical);
        EXPECT_EQ(call.buttons, desktop::Buttons::Ok);
    }
    EXPECT_EQ(HideSymbolCount(data()), 0);
    EXPECT_EQ(PinOf(data(), "s1").symbol, 3);
}

TEST_F(DataSetCommands, HideTreatsEverySameNamedDatasetAndAddsTheSymbolOnce) {
    setData(StoresMap());
    auto& form = openWired();
    choose("Stores");
    form.mnuHideDataset->trigger();
    maphost::MapData d = data();
    ASSERT_EQ(HideSymbolCount(d), 1);
    const int hide = HideSymbolId(d);
    EXPECT_GE(hide, 256);
    for (const QString name : {"s1", "s2", "s3"}) {
        EXPECT_EQ(PinOf(d, name).symbol, hide) << name.toStdString();
        EXPECT_EQ(PinOf(d, name).balloonState, 0);
    }
    // Case differs: not treated.
    EXPECT_EQ(PinOf(d, "lower").symbol, 5);
    EXPECT_EQ(PinOf(d, "lower").balloonState, 2);
    EXPECT_FALSE(form.ProgressBar1->isVisible());
    // The picture draws nothing.
    const QImage image = d.customSymbols.front().image;
    ASSERT_FALSE(image.isNull());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(qAlpha(image.pixel(x, y)), 0);

    // The second run finds the symbol by name.
    choose("stores");
    form.mnuHideDataset->trigger();
    d = data();
    EXPECT_EQ(d.customSymbols.size(), 1u);
    EXPECT_EQ(PinOf(d, "lower").symbol, hide);
    EXPECT_EQ(messages(), 0);
}

TEST_F(DataSetCommands, HideWithNoMatchStillAddsTheSymbolAndWithoutBitmapStillClosesBalloons) {
    setData(StoresMap());
    auto& form = openWired();
    choose("nothing");
    form.mnuHideDataset->trigger();
    EXPECT_EQ(HideSymbolCount(data()), 1);
    EXPECT_FALSE(form.ProgressBar1->isVisible());

    setData(StoresMap());
    QTemporaryDir empty;
    tools::SetAddinFolder(empty.path());
    choose("Stores");
    form.mnuHideDataset->trigger();
    const maphost::MapData d = data();
    EXPECT_TRUE(d.customSymbols.empty());
    EXPECT_EQ(PinOf(d, "s1").symbol, 3);
    EXPECT_EQ(PinOf(d, "s1").balloonState, 0);
    EXPECT_EQ(PinOf(d, "s3").balloonState, 0);
    EXPECT_EQ(messages(), 0);
}

TEST_F(DataSetCommands, UnhideSetsThePickedSymbolKeepsBalloonsAndReselectsTheDataset) {
    setData(StoresMap());
    auto& form = openWired();
    choose("Stores");
    form.mnuHideDataset->trigger();
    PickNext(42);
    form.mnuChangePushpin4Dataset->trigger();
    const maphost::MapData d = data();
    for (const QString name : {"s1", "s2", "s3"}) {
        EXPECT_EQ(PinOf(d, name).symbol, 42) << name.toStdString();
        EXPECT_EQ(PinOf(d, name).balloonState, 0); // closed by hiding, left closed
    }
    EXPECT_EQ(d.dataSets[0].symbol, 42);
    EXPECT_EQ(d.dataSets[2].symbol, 42);
    EXPECT_EQ(PinOf(d, "lower").symbol, 5);
    EXPECT_EQ(form.DataSetChoice(), "Stores");
    EXPECT_EQ(form.ImageCombo1->itemText(form.ImageCombo1->currentIndex()), "Stores");
    EXPECT_FALSE(form.ProgressBar1->isVisible());
}

TEST_F(DataSetCommands, UnhideOnAnEmptyDatasetSetsItsSymbolAndCancelChangesNothing) {
    setData(StoresMap());
    auto& form = openWired();
    choose("Empty");
    PickNext(7);
    form.mnuChangePushpin4Dataset->trigger();
    EXPECT_EQ(data().dataSets[3].symbol, 7);

    choose("Stores");
    PickNext(-1);
    form.mnuChangePushpin4Dataset->trigger();
    EXPECT_EQ(actions::g_lSelectedSymbol, actions::NoSymbolChosen);
    EXPECT_EQ(PinOf(data(), "s1").symbol, 3);
    EXPECT_EQ(data().dataSets[0].symbol, 0);
    EXPECT_EQ(messages(), 0);
}

TEST_F(DataSetCommands, FailingPushpinsAreSkippedAndTheRestTreated) {
    setData(StoresMap());
    useFaults();
    faults_->failAlways("Pushpin.SetSymbol", "s1");
    faults_->failAlways("Pushpin.SetBalloonState", "s2");
    auto& form = openWired();
    choose("Stores");
    form.mnuHideDataset->trigger();
    maphost::MapData d = data();
    const int hide = HideSymbolId(d);
    EXPECT_EQ(PinOf(d, "s1").symbol, 3);
    EXPECT_EQ(PinOf(d, "s1").balloonState, 0);
    EXPECT_EQ(PinOf(d, "s2").symbol, hide);
    EXPECT_EQ(PinOf(d, "s2").balloonState, 1);
    EXPECT_EQ(PinOf(d, "s3").symbol, hide);

    // A record set that cannot move on ends its dataset, not the command.
    setData(StoresMap());
    faults_->clearRules();
    faults_->failAlways("Recordset.MoveNext");
    form.mnuHideDataset->trigger();
    d = data();
    EXPECT_EQ(PinOf(d, "s1").symbol, HideSymbolId(d));
    EXPECT_EQ(PinOf(d, "s2").symbol, 4);
    EXPECT_EQ(PinOf(d, "s3").symbol, HideSymbolId(d));
    EXPECT_FALSE(form.ProgressBar1->isVisible());
    EXPECT_EQ(messages(), 0);
}

TEST_F(DataSetCommands, NoRunningHostEndsQuietly) {
    setData(StoresMap());
    auto& form = openWired();
    automation::RevokeActiveObject("MapPoint.Application", host_.get());
    choose("Stores");
    form.mnuZoomtoDataset->trigger();
    form.mnuHideDataset->trigger();
    PickNext(9);
    form.mnuChangePushpin4Dataset->trigger();
    EXPECT_EQ(messages(), 0);
    EXPECT_FALSE(form.ProgressBar1->isVisible());
    EXPECT_EQ(PinOf(data(), "s1").symbol, 3);
}

} // namespace
