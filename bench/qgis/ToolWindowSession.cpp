#include "ToolWindowSession.h"

#include "QgisRuntime.h"
#include "TestLayers.h"
#include "automation/ClassRegistry.h"
#include "widgets/chameleonButton.h"

#include <QComboBox>
#include <QCoreApplication>
#include <algorithm>
#include <qgsproject.h>
#include <qgsvectorlayer.h>

namespace qgisbench {

using Clock = std::chrono::steady_clock;

Session::Session(QgsVectorLayer* projectLayer) : layer(projectLayer) {
    QgsProject& project = *QgsProject::instance();
    project.clear();
    qgistest::appendToProject(project, layer);
    appearance = std::make_unique<qgishost::ProjectAppearance>(project);
    app =
        std::make_shared<qgishost::QgisApplication>(&project, nullptr, menu, *appearance, nullptr);
    qgishost::QgisApplication::registerRunning(app);
    owner.app = app;
    form = std::make_unique<toolwindow::frmAddIn>();
    form->Connect = &owner;
    form->g_oApp = app;
    form->Load();
    form->show();
    form->ImageCombo1->setEditText(QStringLiteral("All"));
    QCoreApplication::processEvents();
}

Session::~Session() {
    form.reset();
    automation::RevokeActiveObject(QStringLiteral("MapPoint.Application"), app.get());
    owner.app.reset();
    app.reset();
    QgsProject::instance()->clear();
    appearance.reset();
}

EventTurnGaps::EventTurnGaps() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { turn(); });
}

void EventTurnGaps::start() {
    last_ = Clock::now();
    timer_.start(0);
}

void EventTurnGaps::stop() {
    turn();
    timer_.stop();
}

void EventTurnGaps::turn() {
    const Clock::time_point now = Clock::now();
    longest_ = std::max(longest_, std::chrono::duration<double, std::milli>(now - last_));
    last_ = now;
    ++turns_;
}

namespace {

void click(chameleonButton& button, EventTurnGaps& gaps) {
    gaps.start();
    emit button.Click();
    gaps.stop();
}

} // namespace

void clickFind(toolwindow::frmAddIn& form, EventTurnGaps& gaps) {
    click(*form.cmdFindPushpin, gaps);
}

void clickGetAll(toolwindow::frmAddIn& form, EventTurnGaps& gaps) {
    click(*form.ButtonShowAll, gaps);
}

} // namespace qgisbench
