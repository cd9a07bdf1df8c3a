// The tool window in QGIS as the plugin sets it up, for the QGIS benchmarks: one layer
// as the whole project, the event-loop gaps while a command runs, and clicks on Find
// and Get All timed from the click to the final status text.
#pragma once

#include "MenuCommands.h"
#include "QgisApplication.h"
#include "QgisMap.h"
#include "addin/ToolWindowOwner.h"
#include "desktop/testing/RecordingDesktop.h"
#include "qgis/styling/ProjectAppearance.h"
#include "toolwindow/frmAddIn.h"

#include <QTimer>
#include <chrono>
#include <cstdint>
#include <memory>

class QgsVectorLayer;

namespace qgisbench {

struct SessionOwner : locastra::ToolWindowOwner {
    mappoint::ApplicationPtr app;
    void Hide() override {}
    mappoint::ApplicationPtr hostApplication() const override { return app; }
};

// QGIS with the given layer as the whole project (the project takes it and deletes it
// when cleared): the project's appearance, the application registered as the running
// instance and a shown tool window choosing "All"; message boxes and the text editor
// are only recorded. The project is cleared when the session ends.
struct Session {
    desktop::ScopedRecordingDesktop desktop;
    QgsVectorLayer* layer = nullptr;
    std::unique_ptr<qgishost::ProjectAppearance> appearance;
    qgistest::MenuCommands menu;
    std::shared_ptr<qgishost::QgisApplication> app;
    SessionOwner owner;
    std::unique_ptr<toolwindow::frmAddIn> form;

    explicit Session(QgsVectorLayer* projectLayer);
    ~Session();

    qgishost::QgisMap& map() const { return *app->map(); }
};

// The longest time the event loop went without a turn while a command ran: a
// zero-interval timer fires at every turn (each pass of the message pump).
class EventTurnGaps {
public:
    EventTurnGaps();
    void start();
    void stop();
    double longestMs() const { return longest_.count(); }
    int64_t turns() const { return turns_; }

private:
    void turn();

    QTimer timer_;
    std::chrono::steady_clock::time_point last_;
    std::chrono::duration<double, std::milli> longest_{0};
    int64_t turns_ = 0;
};

// One click on Find or on Get All, with the longest stretch without an event-loop turn.
void clickFind(toolwindow::frmAddIn& form, EventTurnGaps& gaps);
void clickGetAll(toolwindow::frmAddIn& form, EventTurnGaps& gaps);

} // namespace qgisbench
