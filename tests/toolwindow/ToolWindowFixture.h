#pragma once

#include "FaultInjector.h"
#include "FaultWrap.h"
#include "addin/ToolWindowOwner.h"
#include "automation/ClassRegistry.h"
#include "desktop/Twips.h"
#include "desktop/testing/RecordingDesktop.h"
#include "maphost/model/HostApplication.h"
#include "maphost/model/HostMap.h"
#include "mappoint/Application.h"
#include "toolwindow/MessagePump.h"
#include "toolwindow/ResultListModel.h"
#include "toolwindow/ResultListView.h"
#include "toolwindow/StatusBar.h"
#include "toolwindow/frmAddIn.h"
#include "widgets/chameleonButton.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace twtest {

struct Pin {
    QString name;
    int symbol = 0;
};

struct Set {
    QString name;
    std::vector<Pin> pins;
    int symbol = 0;
};

inline maphost::MapData mapOf(const std::vector<Set>& sets) {
    maphost::MapData data;
    for (const Set& set : sets) {
        maphost::DataSetData ds;
        ds.name = set.name;
        ds.symbol = set.symbol;
        for (const Pin& pin : set.pins) {
            maphost::PushpinData p;
            p.name = pin.name;
            p.symbol = pin.symbol;
            p.latitude = 10;
            p.longitude = 20;
            ds.pushpins.push_back(p);
        }
        data.dataSets.push_back(std::move(ds));
    }
    return data;
}

// Pins named prefix1 .. prefixN.
inline std::vector<Pin> numbered(const QString& prefix, int count) {
    std::vector<Pin> pins;
    for (int i = 1; i <= count; ++i)
        pins.push_back({prefix + QString::number(i), 0});
    return pins;
}

// The add-in side the window talks to: hides the window, hands out the Application.
class FakeOwner : public locastra::ToolWindowOwner {
public:
    toolwindow::frmAddIn* form = nullptr;
    mappoint::ApplicationPtr app;
    int hides = 0;
    void Hide() override {
        ++hides;
        if (form)
            form->hide();
    }
    mappoint::ApplicationPtr hostApplication() const override { return app; }
};

// The host model in-process (registered as the running host, optionally behind the
// fault wrapper), the recording desktop, and a loaded, shown tool window.
class ToolWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_ = std::make_shared<maphost::HostApplication>();
        maphost::HostApplication::registerRunning(host_);
        owner_.app = host_;
    }

    void TearDown() override {
        form_.reset();
        // Nothing of this test stays registered (the host must go before the
        // application object does).
        automation::RevokeActiveObject("MapPoint.Application", host_.get());
        if (faultyApp_)
            automation::RevokeActiveObject("MapPoint.Application", faultyApp_.get());
        toolwindow::MessagePump::setStandardInterval(-1);
    }

    void setMap(const std::vector<Set>& sets) {
        map_ = maphost::HostMap::create(mapOf(sets));
        host_->setActiveMap(map_);
    }

    // Registers the fault wrapper around the host as the running instance.
    mappoint::ApplicationPtr useFaults() {
        faults_ = std::make_shared<faults::FaultInjector>();
        faultyApp_ = faults::registerFaultyApplication(host_, faults_);
        return faultyApp_;
    }

    toolwindow::frmAddIn& open() {
        form_ = std::make_unique<toolwindow::frmAddIn>();
        form_->Connect = &owner_;
        form_->g_oApp = host_;
        owner_.form = form_.get();
        form_->Load();
        form_->show();
        return *form_;
    }

    toolwindow::frmAddIn& form() { return *form_; }

    void find(const QString& text) {
        form_->Text1->setText(text);
        emit form_->cmdFindPushpin->Click();
    }
    void getAll() { emit form_->ButtonShowAll->Click(); }
    void choose(const QString& choice) { form_->ImageCombo1->setEditText(choice); }

    QStringList rows() const {
        QStringList names;
        const toolwindow::ResultListModel* model = form_->ResultRows();
        for (int i = 0; i < model->rowCount(); ++i)
            names << model->text(i);
        return names;
    }
    QString status() const { return form_->StatusBar1->panelText(1); }

    // Runs action when the progress bar reaches value (needs the pump to run every
    // record: MessagePump::setStandardInterval(0)).
    void atProgress(int value, std::function<void()> action) {
        QObject::connect(form_->ProgressBar1, &QProgressBar::valueChanged, form_.get(),
                         [value, action = std::move(action), done = false](int v) mutable {
                             if (!done && v == value) {
                                 done = true;
                                 action();
                             }
                         });
    }

    desktop::ScopedRecordingDesktop desktop_;
    std::shared_ptr<maphost::HostApplication> host_;
    std::shared_ptr<maphost::HostMap> map_;
    std::shared_ptr<faults::FaultInjector> faults_;
    mappoint::ApplicationPtr faultyApp_;
    FakeOwner owner_;
    std::unique_ptr<toolwindow::frmAddIn> form_;
};

} // namespace twtest
