#include "ToolsTestSupport.h"

#include "addin/ToolWindowWiring.h"

#include <QAction>

using namespace toolstest;

namespace {

class ToolsWiring : public ToolsTest {};

// The add-in's wiring of a fresh tool window reaches the tools' menu entries and
// buttons, each exactly once.
TEST_F(ToolsWiring, TheAddinWiringConnectsEachEntryOnce) {
    maphost::MapData data;
    data.dataSets.push_back(SetOf("A", {PinAt("a1", 1, 1, 0, 0)}));
    setData(data);
    auto& form = open();
    locastra::WireToolWindow(form);
    map_->SetAltitude(1000);
    form.mnuZoomIn->trigger();
    EXPECT_EQ(map_->view().altitude, 900);
    form.mnuZoomOut->trigger();
    EXPECT_EQ(map_->view().altitude, 1000);
    form.mnuHelp->trigger();
    EXPECT_EQ(desktop_->count(desktop::RecordedCall::Kind::ShowHelp), 1);
    emit form.Help->Click();
    EXPECT_EQ(desktop_->count(desktop::RecordedCall::Kind::ShellOpen), 1);
    choose("All");
    form.mnuHideDataset->trigger();
    EXPECT_EQ(messages(), 1);
    emit form.cmdChange->Click();
    EXPECT_EQ(map_->toMapData().dataSets[0].pushpins[0].balloonState, 2);
}

} // namespace
