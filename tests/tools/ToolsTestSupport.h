#pragma once

#include "support/ModalDialogs.h"

#include "ToolWindowFixture.h"
#include "tools/AddinFolder.h"
#include "tools/ToolsWiring.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <functional>

namespace toolstest {

// The tool window with the tools wired, the host model in-process, and the add-in
// folder pointed at the build's library folder (hide.bmp and locastra.chm lie there).
class ToolsTest : public twtest::ToolWindowTest {
protected:
    void SetUp() override {
        ToolWindowTest::SetUp();
        tools::SetAddinFolder(QStringLiteral(LOCASTRA_LIBRARY_DIR));
    }
    void TearDown() override {
        tools::SetAddinFolder(QString());
        ToolWindowTest::TearDown();
    }

    void setData(const maphost::MapData& data) {
        map_ = maphost::HostMap::create(data);
        host_->setActiveMap(map_);
    }
    toolwindow::frmAddIn& openWired() {
        toolwindow::frmAddIn& form = open();
        tools::wireTools(form);
        return form;
    }
    maphost::MapData data() const { return map_->toMapData(); }
    qsizetype messages() const { return desktop_->count(desktop::RecordedCall::Kind::MessageBox); }
    desktop::RecordedCall lastMessage() const {
        return desktop_->callsOf(desktop::RecordedCall::Kind::MessageBox).back();
    }
};

// A pushpin at a position with a symbol and balloon state.
inline maphost::PushpinData PinAt(const QString& name, double lat, double lon, int symbol = 0,
                                  int balloon = 0) {
    maphost::PushpinData pin;
    pin.name = name;
    pin.latitude = lat;
    pin.longitude = lon;
    pin.symbol = symbol;
    pin.balloonState = balloon;
    return pin;
}

inline maphost::DataSetData SetOf(const QString& name, std::vector<maphost::PushpinData> pins) {
    maphost::DataSetData set;
    set.name = name;
    set.pushpins = std::move(pins);
    return set;
}

using testsupport::OnNextModal;

} // namespace toolstest
