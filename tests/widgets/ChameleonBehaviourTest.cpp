#include "ButtonTestSupport.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace buttontest;

namespace {

// Counts paint events reaching a widget.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

bool waitFor(const std::function<bool()>& done, int ms = 2000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QTest::qWait(10);
    return done();
}

void key(QWidget* w, QEvent::Type type, int qtKey, const QString& text = {},
         bool autoRepeat = false) {
    QKeyEvent e(type, qtKey, Qt::NoModifier, text, autoRepeat);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(ChameleonBehaviour, HoverRaisesOneOverAndOneOutAndRepaintsOnce) {
    Window win;
    auto* b = win.button;
    b->applyAddinDefaults();
    // As the tool window does with its Find button.
    QObject::connect(b, &chameleonButton::MouseMove, b, [b] { b->setFontBold(true); });
    EventLog log(b);
    PaintCounter counter;
    QApplication::processEvents();
    b->installEventFilter(&counter);
    const int drawsBefore = b->drawCount();

    for (int i = 0; i < 1000; ++i)
        move(b, QPoint(2 + (i * 7) % 116, 2 + (i * 3) % 21));
    QApplication::processEvents();
    EXPECT_EQ(log.count("MouseOver"), 1);
    EXPECT_LE(b->drawCount() - drawsBefore, 2); // the bold caption, the hovered face
    EXPECT_EQ(counter.paints, 1);
    EXPECT_TRUE(b->isHovered());
    QObject* timer = b->findChild<QObject*>("OverTimer");
    ASSERT_NE(timer, nullptr);

    // Leave: the polling timer notices once.
    QCursor::setPos(win.outside());
    ASSERT_TRUE(waitFor([&] { return log.count("MouseOut") > 0; }));
    QTest::qWait(150);
    EXPECT_EQ(log.count("MouseOut"), 1);
    EXPECT_EQ(log.count("MouseOver"), 1);
    EXPECT_FALSE(b->isHovered());

    // A second visit is a new pair.
    move(b, QPoint(30, 12));
    QCursor::setPos(win.outside());
    ASSERT_TRUE(waitFor([&] { return log.count("MouseOut") == 2; }));
    EXPECT_EQ(log.count("MouseOver"), 2);
    b->removeEventFilter(&counter);
}

TEST(ChameleonBehaviour, ClickNeedsLeftReleaseOverTheControl) {
    Window win;
    auto* b = win.button;
    EventLog log(b);
    press(b, QPoint(20, 10));
    release(b, QPoint(20, 10));
    EXPECT_EQ(log.events, QStringList({"MouseDown1", "MouseUp1", "Click"}));

    // Press, move off, release: up state and no Click.
    log.events.clear();
    press(b, QPoint(20, 10));
    EXPECT_EQ(b->lastDrawnState(), chameleonButton::StatePressed);
    const QPoint off(b->width() + 30, 10);
    move(b, off, Qt::LeftButton);
    EXPECT_EQ(b->lastDrawnState(), chameleonButton::StateUp);
    move(b, QPoint(20, 10), Qt::LeftButton); // back over: pressed again
    EXPECT_EQ(b->lastDrawnState(), chameleonButton::StatePressed);
    move(b, off, Qt::LeftButton);
    release(b, off);
    EXPECT_EQ(b->lastDrawnState(), chameleonButton::StateUp);
    EXPECT_EQ(log.count("Click"), 0);

    // Right click: never pressed, no Click.
    log.events.clear();
    press(b, QPoint(20, 10), Qt::RightButton);
    EXPECT_EQ(b->lastDrawnState(), chameleonButton::StateUp);
    release(b, QPoint(20, 10), Qt::RightButton);
    EXPECT_EQ(log.events, QStringList({"MouseDown2", "MouseUp2"}));

    // Disabled: nothing happens.
    b->setEnabled(false);
    log.events.clear();
    press(b, QPoint(20, 10));
    release(b, QPoint(20, 10));
    EXPECT_EQ(log.count("Click"), 0);
}

TEST(ChameleonBehaviour, EventsReachTheContainerBeforeTheControlReacts) {
    Window win;
    auto* b = win.button;
    int stateSeenOnDown = -1;
    int stateSeenOnUp = -1;
    QObject::connect(b, &chameleonButton::MouseDown, [&](int, int, float x, float y) {
        stateSeenOnDown = b->lastDrawnState();
        EXPECT_FLOAT_EQ(x, 20.0f);
        EXPECT_FLOAT_EQ(y, 10.0f);
    });
    QObject::connect(b, &chameleonButton::MouseUp,
                     [&](int, int, float, float) { stateSeenOnUp = b->lastDrawnState(); });
    press(b, QPoint(20, 10));
    release(b, QPoint(20, 10));
    EXPECT_EQ(stateSeenOnDown, chameleonButton::StateUp);
    EXPECT_EQ(stateSeenOnUp, chameleonButton::StatePressed);
}

TEST(ChameleonBehaviour, DoubleClickIsAPressWithoutSecondClick) {
    Window win;
    auto* b = win.button;
    EventLog log(b);
    press(b, QPoint(20, 10));
    release(b, QPoint(20, 10));
    sendMouse(b, QEvent::MouseButtonDblClick, QPoint(20, 10), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(b->lastDrawnState(), chameleonButton::StatePressed);
    release(b, QPoint(20, 10));
    EXPECT_EQ(b->lastDrawnState(), chameleonButton::StateUp);
    EXPECT_EQ(log.count("Click"), 1);
    // The next ordinary click counts again.
    press(b, QPoint(20, 10));
    release(b, QPoint(20, 10));
    EXPECT_EQ(log.count("Click"), 2);
}

TEST(ChameleonBehaviour, SpaceClicksOnlyWhenItWasTheLastKeyPressed) {
    Window win;
    auto* b = win.button;
    EventLog log(b);
    int keyAscii = 0;
    QObject::connect(b, &chameleonButton::KeyPress, [&](int k) { keyAscii = k; });

    key(b, QEvent::KeyPress, Qt::Key_Space, " ");
    EXPECT_EQ(b->lastDrawnState(), chameleonButton::StatePressed);
    EXPECT_EQ(keyAscii, 32);
    key(b, QEvent::KeyPress, Qt::Key_Space, " ", true); // auto-repeat
    key(b, QEvent::KeyRelease, Qt::Key_Space, " ", true);
    EXPECT_EQ(log.count("Click"), 0);
    key(b, QEvent::KeyRelease, Qt::Key_Space, " ");
    EXPECT_EQ(log.count("Click"), 1);
    EXPECT_EQ(b->lastDrawnState(), chameleonButton::StateUp);
    EXPECT_EQ(log.events.first(), "KeyDown32");

    // Space, then another key, then space released: no Click.
    key(b, QEvent::KeyPress, Qt::Key_Space, " ");
    key(b, QEvent::KeyPress, Qt::Key_A, "a");
    EXPECT_EQ(keyAscii, 'a');
    key(b, QEvent::KeyRelease, Qt::Key_Space, " ");
    EXPECT_EQ(log.count("Click"), 1);
    EXPECT_EQ(b->lastDrawnState(), chameleonButton::StateUp);
    // Releasing a key other than space: none.
    key(b, QEvent::KeyPress, Qt::Key_Space, " ");
    key(b, QEvent::KeyRelease, Qt::Key_Return, "\r");
    EXPECT_EQ(log.count("Click"), 1);
    EXPECT_TRUE(log.events.contains("KeyDown65"));
    EXPECT_TRUE(log.events.contains("KeyUp13"));
}

TEST(ChameleonBehaviour, ArrowKeysMoveTheFocus) {
    QWidget top;
    auto* a = new chameleonButton(&top);
    auto* b = new chameleonButton(&top);
    auto* c = new chameleonButton(&top);
    a->setGeometry(0, 0, 60, 25);
    b->setGeometry(0, 30, 60, 25);
    c->setGeometry(0, 60, 60, 25);
    top.show();
    QApplication::setActiveWindow(&top);
    b->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(b->hasFocus());
    key(b, QEvent::KeyPress, Qt::Key_Right);
    EXPECT_TRUE(c->hasFocus());
    key(c, QEvent::KeyPress, Qt::Key_Up);
    EXPECT_TRUE(b->hasFocus());
    key(b, QEvent::KeyPress, Qt::Key_Left);
    EXPECT_TRUE(a->hasFocus());
    key(a, QEvent::KeyPress, Qt::Key_Down);
    EXPECT_TRUE(b->hasFocus());
}

TEST(ChameleonBehaviour, AccessKeyClicks) {
    Window win;
    auto* b = win.button;
    b->setCaption("&Change");
    QApplication::setActiveWindow(win.top.get());
    QApplication::processEvents();
    EventLog log(b);
    QTest::keyClick(win.top.get(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(log.count("Click"), 1);
    b->setCaption("Fish && Chips");
    QTest::keyClick(win.top.get(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(log.count("Click"), 1);
    b->setCaption("Fish && &Chips");
    QTest::keyClick(win.top.get(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(log.count("Click"), 2);
}

// The button handles Space and the arrow keys; every other key goes on to its window,
// so a window's own keys (Esc in About, Enter, F1) work while a button has the focus.
TEST(ChameleonBehaviour, KeysTheButtonDoesNotHandleReachItsWindow) {
    struct KeyWindow : QWidget {
        QList<int> keys;
        void keyPressEvent(QKeyEvent* e) override { keys << e->key(); }
    } window;
    auto* b = new chameleonButton(&window);
    b->setCaption("Close");
    EventLog log(b);
    for (const int k : {int(Qt::Key_Escape), int(Qt::Key_Return), int(Qt::Key_F1), int(Qt::Key_A)})
        key(b, QEvent::KeyPress, k);
    EXPECT_EQ(window.keys, (QList<int>{Qt::Key_Escape, Qt::Key_Return, Qt::Key_F1, Qt::Key_A}));
    EXPECT_EQ(log.count("KeyDown27"), 1); // the button's own event still comes first
    window.keys.clear();
    key(b, QEvent::KeyPress, Qt::Key_Space, " ");
    key(b, QEvent::KeyPress, Qt::Key_Left);
    EXPECT_TRUE(window.keys.isEmpty());
}

// An access key that another control or a menu also claims does not click the button;
// a menu of the window's menu bar with that key opens instead.
TEST(ChameleonBehaviour, AnAmbiguousAccessKeyOpensTheMenuNotTheButton) {
    Window win;
    auto* b = win.button;
    b->setCaption("&Help me");
    auto* bar = new QMenuBar(win.top.get());
    bar->setNativeMenuBar(false);
    QMenu* help = bar->addMenu("&Help");
    help->addAction("About");
    bar->show();
    QApplication::setActiveWindow(win.top.get());
    QApplication::processEvents();
    EventLog log(b);
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(win.top.get(), Qt::Key_H, Qt::AltModifier);
        QApplication::processEvents();
        EXPECT_EQ(log.count("Click"), 0) << "press " << i + 1;
        EXPECT_TRUE(help->isVisible()) << "press " << i + 1;
        help->hide();
        QApplication::processEvents();
    }
    // Alone with its key, the button clicks.
    b->setCaption("&Jump");
    QTest::keyClick(win.top.get(), Qt::Key_J, Qt::AltModifier);
    EXPECT_EQ(log.count("Click"), 1);
}

TEST(ChameleonBehaviour, CheckBoxBehaviourTogglesAndHoldsThePressedLook) {
    Window win;
    auto* b = win.button;
    b->setCheckBoxBehaviour(true);
    press(b, QPoint(20, 10));
    release(b, QPoint(20, 10));
    EXPECT_TRUE(b->Value());
    EXPECT_EQ(b->lastDrawnState(), chameleonButton::StatePressed);
    QCursor::setPos(win.outside());
    ASSERT_TRUE(waitFor([&] { return !b->isHovered(); }));
    EXPECT_EQ(b->lastDrawnState(), chameleonButton::StatePressed);
    key(b, QEvent::KeyPress, Qt::Key_Space, " ");
    key(b, QEvent::KeyRelease, Qt::Key_Space, " ");
    EXPECT_FALSE(b->Value());
    EXPECT_EQ(b->lastDrawnState(), chameleonButton::StateUp);
}

TEST(ChameleonBehaviour, RedrawOnlyWhenStateOrCaptionChanges) {
    Window win;
    auto* b = win.button;
    b->setCaption("Find");
    int n = b->drawCount();
    b->setCaption("Find");
    EXPECT_EQ(b->drawCount(), n);
    b->setCaption("Stop");
    EXPECT_EQ(b->drawCount(), n + 1);

    n = b->drawCount();
    b->DisableRefresh();
    b->setBackColor(0x0000FF);
    b->setColorScheme(2);
    b->setFontBold(true);
    b->setCaption("Find");
    EXPECT_EQ(b->drawCount(), n);
    b->Refresh();
    EXPECT_EQ(b->drawCount(), n + 1);
    const QImage img = grabButton(b);
    EXPECT_EQ(pixel(img, 3, 12), 0x0000FFu); // look 2 face in the new colour
}

TEST(ChameleonBehaviour, HiddenControlDoesNotDraw) {
    Window win;
    auto* b = win.button;
    b->hide();
    const int n = b->drawCount();
    b->setCaption("Other");
    EXPECT_EQ(b->drawCount(), n);
    b->show();
    EXPECT_EQ(b->drawCount(), n + 1);
}
