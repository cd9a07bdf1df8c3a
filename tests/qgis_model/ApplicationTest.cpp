// The Application's commands in a menu and its window position.
#include "AdapterFixture.h"

#include <QAction>
#include <QMainWindow>

namespace {

class Target : public QObject {
    Q_OBJECT
public:
    int calls = 0;
public slots:
    void run() { ++calls; }
};

TEST_F(AdapterTest, CommandsAreMenuActionsCallingTheirTargetByName) {
    auto target = std::make_unique<Target>();
    application_->AddCommand("Locastra...", "run", target.get());
    ASSERT_EQ(menu_.menu.actions().size(), 1);
    EXPECT_EQ(menu_.menu.actions()[0]->text(), "Locastra...");
    menu_.menu.actions()[0]->trigger();
    EXPECT_EQ(target->calls, 1);
    EXPECT_EQ(errorOf([&] { application_->AddCommand("x", "", target.get()); }),
              automation::errors::InvalidArgument);
    application_->RemoveCommands(target.get());
    EXPECT_TRUE(menu_.menu.actions().isEmpty());

    application_->AddCommand("Again", "run", target.get());
    QAction* action = menu_.menu.actions().value(0);
    ASSERT_TRUE(action);
    target.reset();
    action->trigger(); // the target is gone: nothing is called
    application_->RemoveCommands(nullptr);
    EXPECT_TRUE(menu_.menu.actions().isEmpty()) << "entries of dead targets are dropped";
}

TEST_F(AdapterTest, ActiveMapIsTheProjectAndPositionIsTheMainWindowsInTwips) {
    EXPECT_EQ(application_->ActiveMap(), map_);
    QMainWindow window;
    window.move(100, 50);
    window.show();
    qgishost::QgisApplication placed(&project(), canvas_, menu_, appearance_, &window);
    EXPECT_EQ(placed.Left(), desktop::pixelsToTwipsX(window.frameGeometry().left()));
    EXPECT_EQ(placed.Top(), desktop::pixelsToTwipsY(window.frameGeometry().top()));
    EXPECT_EQ(application_->Left(), 0) << "no main window";
}

} // namespace

#include "ApplicationTest.moc"
