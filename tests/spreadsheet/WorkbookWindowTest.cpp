#include "SpreadsheetTestSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QTabWidget>
#include <QTableView>

using sheettest::StandInTest;

namespace {

QWidget* workbookWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "WorkbookWindow" && w->isVisible())
            return w;
    }
    return nullptr;
}

} // namespace

TEST_F(StandInTest, TheWindowShowsOneTabPerSheetInOrderWithRowsAsTheyArrive) {
    EXPECT_EQ(workbookWindow(), nullptr); // invisible until asked
    app_->SetVisible(true);
    QWidget* window = workbookWindow();
    ASSERT_NE(window, nullptr);
    auto* tabs = window->findChild<QTabWidget*>("SheetTabs");
    ASSERT_NE(tabs, nullptr);

    auto sheet = book_->Sheets()->Add();
    sheet->SetName("Stores");
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    EXPECT_EQ(titles, QStringList({"Stores", "Sheet1", "Sheet2", "Sheet3"}));
    EXPECT_EQ(tabs->currentIndex(), 0);

    auto* view = qobject_cast<QTableView*>(tabs->widget(0));
    ASSERT_NE(view, nullptr);
    sheet->Cells(1, 1)->SetValue(QStringLiteral("Name"));
    sheet->Cells(3, 2)->SetValue(-122.5);
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), "Name");
    EXPECT_EQ(view->model()->index(2, 1).data().toString(), QLocale().toString(-122.5));
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), "B");

    const int before = view->columnWidth(0);
    sheet->Cells(2, 1)->SetValue(QStringLiteral("A very long pushpin name indeed"));
    sheet->Range("A1", "H1")->EntireColumn()->AutoFit();
    EXPECT_GT(view->columnWidth(0), before);

    book_->Sheets()->Item("Sheet2")->Delete();
    EXPECT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->indexOf(view), 0);
}

TEST_F(StandInTest, ClosingTheLastWindowLetsTheInstanceGo) {
    app_->SetVisible(true);
    std::weak_ptr<spreadsheet::Application> weak = app_;
    book_.reset();
    app_.reset();
    ASSERT_FALSE(weak.expired());
    workbookWindow()->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(weak.expired());
    EXPECT_TRUE(spreadsheet::VisibleApplications().empty());
}
