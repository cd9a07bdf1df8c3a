#pragma once

#include "support/ModalDialogs.h"

#include "actions/RowActionHost.h"

#include "FaultInjector.h"
#include "desktop/testing/RecordingDesktop.h"
#include "maphost/MapData.h"
#include "maphost/model/HostApplication.h"
#include "maphost/model/HostMap.h"

#include <QDialog>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include <ostream>

// Readable QString values in test failure messages (line breaks shown as \r \n).
inline void PrintTo(const QString& text, std::ostream* os) {
    QString shown = text;
    shown.replace("\r", "\\r").replace("\n", "\\n");
    *os << '"' << shown.toStdString() << '"';
}

namespace actionstest {

// A result list for the actions: rows with text, selection and small icon.
class FakeRowHost : public actions::RowActionHost {
public:
    struct Row {
        QString text;
        bool selected = false;
        int smallIcon = 1;
    };

    void addRow(const QString& text, bool selected) { rows.push_back({text, selected, 1}); }
    QStringList texts() const;

    int rowCount() const override { return int(rows.size()); }
    bool isRowSelected(int row) const override { return rows.at(size_t(row - 1)).selected; }
    QString rowText(int row) const override { return rows.at(size_t(row - 1)).text; }
    void setRowSmallIcon(int row, int imageIndex) override {
        rows.at(size_t(row - 1)).smallIcon = imageIndex;
    }
    void removeRow(int row) override { rows.erase(rows.begin() + (row - 1)); }
    QWidget* window() override { return &widget; }
    void setStatusText(const QString& text) override { statusText = text; }
    double& thelat() override { return lat; }
    double& thelon() override { return lon; }

    std::vector<Row> rows;
    QWidget widget;
    QString statusText;
    double lat = 0;
    double lon = 0;
};

// A pushpin for a test map.
maphost::PushpinData Pin(const QString& name, double latitude, double longitude,
                         QVector<QVariant> values = {}, const QString& note = {}, int symbol = 0);

// The host model running in-process with one active map, registered as the running
// "MapPoint.Application" (directly, or through the fault wrapper), and the recording
// desktop installed.
class ActionsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes data the active map's contents and registers the host.
    void openMap(const maphost::MapData& data);
    // The landmarks map: "Needle" (47.6205, -122.3493), "Harbour" (-33.8568, 151.2153) and
    // "Rio" (-22.9519, -43.2105) in dataset "Pins", each with an unselected row.
    void openLandmarks();
    // Registers the host through the fault wrapper instead.
    void useFaults();
    // Removes the running host altogether.
    void stopHost();

    // Live pushpin of that name (first in map order); fails the test when none.
    maphost::PinId pinId(const QString& name) const;
    maphost::PushpinData pinState(const QString& name) const;
    bool pinAlive(const QString& name) const;
    bool isSelected(const QString& name) const;
    maphost::ViewData view() const { return map->view(); }

    std::shared_ptr<maphost::HostApplication> app;
    std::shared_ptr<maphost::HostMap> map;
    std::shared_ptr<faults::FaultInjector> injector;
    std::shared_ptr<desktop::RecordingDesktop> desktop;
    FakeRowHost rows;
};

using testsupport::OnNextModal;
// Clicks a chameleonButton of dialog by its objectName.
void ClickButton(QDialog* dialog, const QString& objectName);

} // namespace actionstest
