#include "ToolsTestSupport.h"

#include "tools/HelpCommands.h"
#include "tools/ViewCommands.h"
#include "tools/frmAbout.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace toolstest;
using Kind = desktop::RecordedCall::Kind;

namespace {

// A key as the keyboard delivers it: to the widget that has the focus (which passes
// on what it does not handle to its parents).
void PressKey(QWidget* window, int key) {
    QWidget* focused = window->focusWidget() ? window->focusWidget() : window;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(focused, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(focused, &release);
}

class ViewHelpAbout : public ToolsTest {
protected:
    double altitude() const { return map_->view().altitude; }
    void setAltitude(double a) { map_->SetAltitude(a); }
};

TEST_F(ViewHelpAbout, ZoomInStepsDownTo50ThenToOne) {
    setData({});
    auto& form = openWired();
    const auto zoomIns = [&](double from, std::vector<double> expected) {
        setAltitude(from);
        for (double want : expected) {
            form.mnuZoomIn->trigger();
            EXPECT_EQ(altitude(), want) << "from " << from;
        }
    };
    zoomIns(250, {150, 50, 1, 1});
    zoomIns(130, {30, 1});
    zoomIns(100, {50});
    zoomIns(50, {1});
    // Just above 100 the step would ask for less than the map accepts.
    zoomIns(100.5, {1});
    EXPECT_EQ(form.mnuZoomIn->shortcut(), QKeySequence(QStringLiteral("Ctrl+I")));
}

TEST_F(ViewHelpAbout, ZoomOutAddsHundredExceptAtTheCeiling) {
    setData({});
    useFaults();
    auto& form = openWired();
    setAltitude(1);
    form.mnuZoomOut->trigger();
    EXPECT_EQ(altitude(), 101);
    setAltitude(24854);
    faults_->clearCalls();
    form.mnuZoomOut->trigger();
    EXPECT_EQ(altitude(), 24854);
    EXPECT_EQ(faults_->callCount("Map.SetAltitude"), 0);
    // 24900 is asked for; the map refuses it silently.
    setAltitude(24800);
    form.mnuZoomOut->trigger();
    EXPECT_EQ(faults_->callCount("Map.SetAltitude"), 1);
    EXPECT_EQ(altitude(), 24800);
    EXPECT_EQ(messages(), 0);
}

TEST_F(ViewHelpAbout, ZoomInFailureLeavesTheView) {
    setData({});
    useFaults();
    auto& form = openWired();
    setAltitude(300);
    faults_->failAlways("Map.Altitude");
    form.mnuZoomIn->trigger();
    form.mnuZoomOut->trigger();
    EXPECT_EQ(altitude(), 300);
    EXPECT_EQ(messages(), 0);
}

TEST_F(ViewHelpAbout, HelpOpensTheCompiledFileAndF1EachWindowsTopic) {
    auto& form = openWired();
    QTemporaryDir dir;
    tools::SetAddinFolder(dir.path());
    // The viewer gets the file at its first topic, whether or not the file is there:
    // a file it cannot read is the viewer's to report.
    form.mnuHelp->trigger();
    ASSERT_EQ(desktop_->count(Kind::ShowHelp), 1);
    EXPECT_EQ(desktop_->callsOf(Kind::ShowHelp).back().text, dir.path() + "/locastra.chm");
    EXPECT_EQ(desktop_->callsOf(Kind::ShowHelp).back().topic, "");
    EXPECT_EQ(messages(), 0);

    // F1 in another Locastra window opens that window's topic; in an unknown window
    // and in the tool window (its Help entry's shortcut, below) the key is left alone.
    for (const auto& [window, topic] : std::vector<std::pair<QString, QString>>{
             {"frmSelectPushpinSymbol", "symbol-picker.html"},
             {"frmPushpin", "information-window.html"},
             {"frmAbout", "about.html"},
             {"frmZoomToCoordinates", "zoom-to-coordinates.html"},
             {"someOtherWindow", ""},
             {"frmAddIn", ""}}) {
        QDialog dialog;
        dialog.setObjectName(window);
        auto* field = new QLineEdit(&dialog);
        const qsizetype before = desktop_->count(Kind::ShowHelp);
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(field, &f1);
        if (topic.isEmpty()) {
            EXPECT_EQ(desktop_->count(Kind::ShowHelp), before) << window.toStdString();
        } else {
            ASSERT_EQ(desktop_->count(Kind::ShowHelp), before + 1) << window.toStdString();
            EXPECT_EQ(desktop_->callsOf(Kind::ShowHelp).back().topic, topic);
        }
    }
    // The build puts the compiled help file beside the library.
    EXPECT_TRUE(QFile::exists(QStringLiteral(LOCASTRA_LIBRARY_DIR "/locastra.chm")));
}

// F1 in the tool window, its Help entry's shortcut, opens the tool window's topic; the
// entry clicked opens the start page (above).
TEST_F(ViewHelpAbout, F1InTheToolWindowOpensItsTopic) {
    auto& form = openWired();
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
    QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
    QTest::keyClick(focused, Qt::Key_F1);
    ASSERT_EQ(desktop_->count(Kind::ShowHelp), 1);
    EXPECT_EQ(desktop_->callsOf(Kind::ShowHelp).back().topic, "tool-window.html");
    EXPECT_EQ(form.mnuHelp->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(ViewHelpAbout, HelpWithoutViewerShowsTheError) {
    auto& form = openWired();
    desktop_->setShowHelpResult(false);
    form.mnuHelp->trigger();
    ASSERT_EQ(messages(), 1);
    const desktop::RecordedCall message = lastMessage();
    EXPECT_EQ(message.text,
              "Could not open the helpfile,  make sure 'locastra.chm' is in the same directory "
              "as libLocastra.so. you can download it from " +
                  tools::MakerHost);
    EXPECT_EQ(message.title, "Error");
    EXPECT_EQ(message.icon, desktop::Icon::Critical);
}

// The About window has a fixed dialog frame: no minimise or maximise box, no resizing.
TEST_F(ViewHelpAbout, AboutHasAFixedDialogFrame) {
    auto& form = openWired();
    Qt::WindowFlags flags;
    QSize minimum, maximum;
    OnNextModal([&](QDialog* dialog) {
        flags = dialog->windowFlags();
        minimum = dialog->minimumSize();
        maximum = dialog->maximumSize();
        dialog->close();
    });
    form.mnuAbout->trigger();
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint); // only the hints given below
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(minimum, maximum);
}

// Alt+H is claimed by the "&Help" menu and by the off-window "&HiddenHelpButton": the
// ambiguous key must not fire the button; the menu gets it.
TEST_F(ViewHelpAbout, AltHOpensTheHelpMenuNotTheHiddenButton) {
    auto& form = openWired();
    form.activateWindow();
    QApplication::processEvents();
    for (int i = 0; i < 3; ++i) {
        QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
        QTest::keyClick(focused, Qt::Key_H, Qt::AltModifier);
        QApplication::processEvents();
        EXPECT_EQ(desktop_->count(Kind::ShellOpen), 0) << "press " << i + 1;
        EXPECT_TRUE(form.mnuAboutMaain->isVisible()) << "press " << i + 1;
        form.mnuAboutMaain->hide();
        QApplication::processEvents();
    }
    // The button's own click still opens the page.
    emit form.Help->Click();
    EXPECT_EQ(desktop_->count(Kind::ShellOpen), 1);
}

TEST_F(ViewHelpAbout, HiddenButtonOpensTheHelpPage) {
    auto& form = openWired();
    emit form.Help->Click();
    ASSERT_EQ(desktop_->count(Kind::ShellOpen), 1);
    EXPECT_EQ(desktop_->callsOf(Kind::ShellOpen).back().text, tools::HelpPageAddress);
}

// The About window's link says so when no browser could be started, as the help error
// does: same title, icon and button.
TEST_F(ViewHelpAbout, AboutLinkWithoutBrowserTellsTheUser) {
    auto& form = openWired();
    for (const bool opens : {true, false}) {
        desktop_->setShellOpenResult(opens);
        OnNextModal([&](QDialog* dialog) {
            qobject_cast<tools::frmAbout*>(dialog)->Label4_Click();
            dialog->close();
        });
        form.mnuAbout->trigger();
        EXPECT_EQ(messages(), opens ? 0 : 1);
    }
    const desktop::RecordedCall message = lastMessage();
    EXPECT_EQ(message.text, "Could not open http://" + tools::MakerHost +
                                ", no web browser could be started. Open the address in your "
                                "web browser.");
    EXPECT_EQ(message.title, "Error");
    EXPECT_EQ(message.icon, desktop::Icon::Critical);
    EXPECT_EQ(message.buttons, desktop::Buttons::Ok);
}

TEST_F(ViewHelpAbout, AboutShowsItsTextsAndClosesByEscOrClose) {
    auto& form = openWired();
    QString caption, version, trademark;
    OnNextModal([&](QDialog* dialog) {
        auto* about = qobject_cast<tools::frmAbout*>(dialog);
        ASSERT_NE(about, nullptr);
        caption = about->windowTitle();
        version = about->lblVersion->text();
        trademark = about->Label3->text();
        about->Label4_Click();
        // The close button has the focus, as it is the window's only control that takes it.
        // (Offscreen, a slow build can see the tool window's activation arrive after the
        // dialog's: activate the dialog as the window system would.)
        about->activateWindow();
        for (int wait = 0; wait < 250 && QApplication::activeWindow() != about; ++wait)
            QTest::qWait(20);
        ASSERT_EQ(QApplication::activeWindow(), about);
        EXPECT_EQ(about->focusWidget(), about->ButtonClose);
        PressKey(about, Qt::Key_Return);
        EXPECT_TRUE(about->isVisible()); // other keys do nothing
        PressKey(about, Qt::Key_Escape);
    });
    form.mnuAbout->trigger();
    EXPECT_EQ(caption, "About Locastra");
    EXPECT_EQ(version, "Version 2.4.2");
    EXPECT_EQ(trademark, QStringLiteral("Microsoft MapPoint\u00AE version 2002 is a registered "
                                        "trademark of Microsoft Corporation in the United States "
                                        "and/or other countries. "));
    ASSERT_EQ(desktop_->count(Kind::ShellOpen), 1);
    EXPECT_EQ(desktop_->callsOf(Kind::ShellOpen).back().text, "http://" + tools::MakerHost);

    bool closed = false;
    OnNextModal([&](QDialog* dialog) {
        auto* about = qobject_cast<tools::frmAbout*>(dialog);
        EXPECT_EQ(about->ButtonClose->Caption(), "Close");
        emit about->ButtonClose->Click();
        closed = !about->isVisible();
    });
    form.mnuAbout->trigger();
    EXPECT_TRUE(closed);
}

} // namespace
