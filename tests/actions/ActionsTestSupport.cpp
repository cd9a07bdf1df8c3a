#include "ActionsTestSupport.h"

#include "FaultWrap.h"
#include "automation/ClassRegistry.h"
#include "geo/PositionCalculator.h"
#include "widgets/chameleonButton.h"

#include <QApplication>
#include <QTimer>

namespace actionstest {

QStringList FakeRowHost::texts() const {
    QStringList out;
    for (const auto& row : rows)
        out << row.text;
    return out;
}

maphost::PushpinData Pin(const QString& name, double latitude, double longitude,
                         QVector<QVariant> values, const QString& note, int symbol) {
    maphost::PushpinData pin;
    pin.name = name;
    pin.note = note;
    pin.latitude = latitude;
    pin.longitude = longitude;
    pin.symbol = symbol;
    pin.values = std::move(values);
    return pin;
}

void ActionsTest::SetUp() {
    geo::detail::ResetReferenceFrame();
    desktop = std::make_shared<desktop::RecordingDesktop>();
    desktop::setServices(desktop);
    app = std::make_shared<maphost::HostApplication>();
}

void ActionsTest::TearDown() {
    stopHost();
    desktop::setServices(nullptr);
    geo::detail::ResetReferenceFrame();
}

void ActionsTest::openMap(const maphost::MapData& data) {
    map = maphost::HostMap::create(data);
    app->setActiveMap(map);
    maphost::HostApplication::registerRunning(app);
}

void ActionsTest::openLandmarks() {
    maphost::MapData data;
    maphost::DataSetData set;
    set.name = "Pins";
    set.pushpins = {Pin("Needle", 47.6205, -122.3493), Pin("Harbour", -33.8568, 151.2153),
                    Pin("Rio", -22.9519, -43.2105)};
    data.dataSets.push_back(set);
    openMap(data);
    for (const char* name : {"Needle", "Harbour", "Rio"})
        rows.addRow(name, false);
}

void ActionsTest::useFaults() {
    injector = std::make_shared<faults::FaultInjector>();
    faults::registerFaultyApplication(app, injector);
}

void ActionsTest::stopHost() {
    try {
        const auto running = automation::GetObject(QStringLiteral("MapPoint.Application"));
        automation::RevokeActiveObject(QStringLiteral("MapPoint.Application"), running.get());
    } catch (const automation::Error&) {
    }
}

maphost::PinId ActionsTest::pinId(const QString& name) const {
    maphost::PinId found = 0;
    bool seen = false;
    map->forEachPushpin([&](const maphost::PushpinView& pin) {
        if (!seen && pin.name == name) {
            found = pin.id;
            seen = true;
        }
    });
    EXPECT_TRUE(seen) << "no pushpin " << name.toStdString();
    return found;
}

maphost::PushpinData ActionsTest::pinState(const QString& name) const {
    maphost::PushpinData state;
    const maphost::PinId id = pinId(name);
    map->forEachPushpin([&](const maphost::PushpinView& pin) {
        if (pin.id == id) {
            state.name = pin.name;
            state.note = pin.note;
            state.latitude = pin.latitude;
            state.longitude = pin.longitude;
            state.symbol = pin.symbol;
            state.highlight = pin.highlight;
            state.balloonState = pin.balloonState;
        }
    });
    return state;
}

bool ActionsTest::pinAlive(const QString& name) const {
    bool seen = false;
    map->forEachPushpin([&](const maphost::PushpinView& pin) { seen |= pin.name == name; });
    return seen;
}

bool ActionsTest::isSelected(const QString& name) const {
    const auto selection = map->selection();
    return selection.kind == maphost::MapSelection::Pushpin && selection.id == pinId(name);
}

void ClickButton(QDialog* dialog, const QString& objectName) {
    auto* button = dialog->findChild<chameleonButton*>(objectName);
    ASSERT_NE(button, nullptr) << objectName.toStdString();
    emit button->Click();
}

} // namespace actionstest
