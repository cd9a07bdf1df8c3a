#include "ToolsTestSupport.h"

#include "addin/ToolWindowWiring.h"
#include "tools/frmZoomToCoordinates.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

using namespace toolstest;
using Kind = desktop::RecordedCall::Kind;

namespace {

class CoordinateCommands : public ToolsTest {
protected:
    void SetUp() override {
        ToolsTest::SetUp();
        maphost::MapData data;
        data.dataSets.push_back(
            SetOf("Sights", {PinAt("Tower", 48.8584, 2.2945), PinAt("Opera", -33.8568, 151.2153)}));
        setData(data);
    }
    toolwindow::frmAddIn& openAddinWired() {
        toolwindow::frmAddIn& form = open();
        locastra::WireToolWindow(form);
        return form;
    }
    // The checked entries of View > Coordinate Format, as the user sees them on opening.
    QStringList checkedFormats() {
        emit form().mnuCoordinateFormat->aboutToShow();
        QStringList checked;
        for (QAction* entry : form().mnuCoordinateFormat->actions())
            if (entry->isChecked())
                checked << entry->text();
        return checked;
    }
    QAction* formatEntry(const QString& text) {
        for (QAction* entry : form().mnuCoordinateFormat->actions())
            if (entry->text() == text)
                return entry;
        ADD_FAILURE() << "no entry " << text.toStdString();
        return nullptr;
    }
    // Types text into the Zoom to Coordinates dialog, reads its feedback and presses OK
    // (or Cancel when OK is disabled).
    QString zoomTo(const QString& text, bool* okEnabled = nullptr) {
        QString feedback;
        OnNextModal([&](QDialog* dialog) {
            auto* zoom = qobject_cast<tools::frmZoomToCoordinates*>(dialog);
            ASSERT_NE(zoom, nullptr);
            zoom->Text1->setText(text);
            feedback = zoom->Label2->text();
            if (okEnabled)
                *okEnabled = zoom->cmdOK->isEnabled();
            // Enter presses OK only for a position that was understood.
            emit zoom->Text1->returnPressed();
            if (zoom->isVisible())
                emit zoom->cmdCancel->Click();
        });
        form().mnuZoomToCoordinates->trigger();
        return feedback;
    }
};

TEST_F(CoordinateCommands, MenusEndWithTheCoordinateEntries) {
    auto& form = openAddinWired();
    const QList<QAction*> view = form.mnuView->actions();
    ASSERT_GE(view.size(), 4);
    EXPECT_EQ(view[view.size() - 2], form.mnuCoordinateFormat->menuAction());
    EXPECT_EQ(view[view.size() - 2]->text(), "Coordinate Format");
    EXPECT_EQ(view.back()->text(), "Zoom to Coordinates...");
    QStringList formats;
    for (QAction* entry : form.mnuCoordinateFormat->actions()) {
        formats << entry->text();
        EXPECT_TRUE(entry->isCheckable());
    }
    EXPECT_EQ(formats, QStringList({"As Derived", "Decimal Degrees", "Degrees Minutes Seconds",
                                    "Degrees Decimal Minutes", "UTM / UPS", "MGRS"}));
    EXPECT_EQ(form.mnuRightClick->actions().back()->text(), "Copy Lat/Lon");
}

TEST_F(CoordinateCommands, TheChosenFormatOutlivesTheWindow) {
    openAddinWired();
    EXPECT_EQ(checkedFormats(), QStringList{"As Derived"});
    formatEntry("Degrees Minutes Seconds")->trigger();
    EXPECT_EQ(checkedFormats(), QStringList{"Degrees Minutes Seconds"});

    // File > Exit and a fresh window: the choice comes back from the settings store.
    form().mnuExit->trigger();
    auto& fresh = openAddinWired();
    EXPECT_EQ(checkedFormats(), QStringList{"Degrees Minutes Seconds"});
    getAll();
    fresh.ListView1->selectionModel()->select(fresh.ResultRows()->index(0, 0),
                                              QItemSelectionModel::Select);
    fresh.mnuCopyLatLon->trigger();
    EXPECT_EQ(desktop_->clipboardContents(), QString::fromUtf8("Tower\t48°51′30.2″N\t2°17′40.2″E"));
    EXPECT_EQ(status(), "Copied 1 of 1 positions");
}

TEST_F(CoordinateCommands, ZoomToCoordinatesCentresTheMapAtTheCurrentAltitude) {
    openAddinWired();
    map_->SetAltitude(500);
    bool okEnabled = false;
    const QString feedback = zoomTo(QString::fromUtf8("48°51′30″N 2°17′40″E"), &okEnabled);
    EXPECT_TRUE(okEnabled);
    EXPECT_TRUE(feedback.contains(QString::fromUtf8("48°51′30.0″N 2°17′40.0″E")))
        << feedback.toStdString();
    EXPECT_NEAR(map_->view().centerLatitude, 48.858333, 1e-6);
    EXPECT_NEAR(map_->view().centerLongitude, 2.294444, 1e-6);
    EXPECT_EQ(map_->view().altitude, 500);

    zoomTo("30U XC 99487 10274");
    EXPECT_NEAR(map_->view().centerLatitude, 51.508334, 1e-5);
    EXPECT_NEAR(map_->view().centerLongitude, -0.125273, 1e-5);
    EXPECT_EQ(map_->view().altitude, 500);

    // The common forms people paste: no blank after the comma; UTM with its band.
    EXPECT_TRUE(zoomTo("48.8566,2.3522").contains("UNDERSTOOD", Qt::CaseInsensitive));
    EXPECT_NEAR(map_->view().centerLatitude, 48.8566, 1e-6);
    EXPECT_NEAR(map_->view().centerLongitude, 2.3522, 1e-6);
    EXPECT_TRUE(zoomTo("31U 448251 5411932").startsWith("UTM / UPS, understood as"));
    EXPECT_NEAR(map_->view().centerLatitude, 48.85819, 1e-5);
    EXPECT_NEAR(map_->view().centerLongitude, 2.29449, 1e-5);
}

// Alt with a letter no access key takes types nothing into the position box.
TEST_F(CoordinateCommands, ZoomToCoordinatesTypesNoAltLetters) {
    tools::frmZoomToCoordinates dialog;
    dialog.show();
    dialog.Text1->setFocus();
    QTest::keyClick(dialog.Text1, Qt::Key_D, Qt::AltModifier);
    QTest::keyClick(dialog.Text1, Qt::Key_4);
    EXPECT_EQ(dialog.Text1->text(), "4");
}

TEST_F(CoordinateCommands, ZoomToCoordinatesRefusesWhatItCannotRead) {
    openAddinWired();
    map_->SetAltitude(500);
    const auto before = map_->view();
    bool okEnabled = true;
    const QString feedback = zoomTo("91, 0", &okEnabled);
    EXPECT_FALSE(okEnabled);
    EXPECT_TRUE(feedback.contains("Latitude 91")) << feedback.toStdString();
    EXPECT_EQ(map_->view().centerLatitude, before.centerLatitude);
    EXPECT_EQ(map_->view().centerLongitude, before.centerLongitude);
}

TEST_F(CoordinateCommands, AHostThatRefusesTheLocationEndsWithAMessage) {
    openAddinWired();
    useFaults();
    faults_->failAlways("Map.GetLocation");
    tools::GoToPosition(10, 20);
    ASSERT_EQ(messages(), 1);
    EXPECT_EQ(lastMessage().title, "Error");
    EXPECT_EQ(lastMessage().icon, desktop::Icon::Critical);
}

} // namespace

TEST_F(CoordinateCommands, ZoomToCoordinatesHasAFixedFrame) {
    openAddinWired();
    Qt::WindowFlags flags;
    QSize smallest, largest;
    OnNextModal([&](QDialog* dialog) {
        flags = dialog->windowFlags();
        smallest = dialog->minimumSize();
        largest = dialog->maximumSize();
        dialog->reject();
    });
    form().mnuZoomToCoordinates->trigger();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(smallest, largest);
}
