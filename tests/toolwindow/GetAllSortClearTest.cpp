// Get All, Sort (alternating, staying on for later rows) and Clear.
#include "ToolWindowFixture.h"

#include <QApplication>
#include <QItemSelectionModel>

using namespace twtest;

namespace {

class GetAllTest : public ToolWindowTest {};

TEST_F(GetAllTest, ListsEveryRecordOfAllDatasetsInMapOrder) {
    setMap({{"Three", {{"c"}, {"a"}, {"c"}}}, {"Two", {{"b", 254}, {"d", 255}}}});
    open();
    form().StatusBar1->setPanelText(1, "old text");
    getAll();
    EXPECT_EQ(rows(), (QStringList{"c", "a", "c", "b", "d"}));
    EXPECT_EQ(form().ResultRows()->imageIndex(3), 255);
    EXPECT_EQ(form().ResultRows()->imageIndex(4), 1);
    EXPECT_EQ(status(), "");
    EXPECT_EQ(form().ButtonShowAll->Caption(), "Get All");
    EXPECT_FALSE(form().ProgressBar1->isVisible());
    EXPECT_EQ(form().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(GetAllTest, ChoiceListsOnlyDatasetsOfThatName) {
    setMap({{"X", {{"x1"}}}, {"Y", {{"y1"}, {"y2"}}}, {"X", {{"x2"}}}});
    open();
    choose("X");
    getAll();
    EXPECT_EQ(rows(), (QStringList{"x1", "x2"}));
    choose("x");
    getAll();
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(GetAllTest, StopKeepsTheRowsListedSoFarAndEndsFindToo) {
    setMap({{"Big", numbered("p", 500)}, {"More", numbered("m", 5)}});
    open();
    toolwindow::MessagePump::setStandardInterval(0);
    atProgress(100, [&] { emit form().ButtonShowAll->Click(); });
    getAll();
    // Rows 1..99 were listed before the pass at record 100, which is still listed.
    EXPECT_EQ(rows().size(), 100);
    EXPECT_EQ(rows().last(), "p100");
    // The newest row is scrolled into view once the window handles its messages again.
    QApplication::processEvents();
    const QRect newest = form().ListView1->visualRect(form().ResultRows()->index(99));
    EXPECT_TRUE(form().ListView1->viewport()->rect().contains(newest));
    EXPECT_EQ(form().ButtonShowAll->Caption(), "Get All");
    EXPECT_EQ(form().cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(status(), "");
    EXPECT_FALSE(form().ProgressBar1->isVisible());
}

TEST_F(GetAllTest, StopOnGetAllEndsARunningFindAsWell) {
    setMap({{"Big", numbered("p", 400)}});
    open();
    toolwindow::MessagePump::setStandardInterval(0);
    // Inside the search, Get All starts (clearing the Stop flag) and is stopped from
    // inside its own loop; the search then ends at its next check.
    atProgress(10, [&] {
        QTimer::singleShot(0, form_.get(), [&] { emit form().ButtonShowAll->Click(); });
        getAll();
    });
    find("p");
    EXPECT_EQ(form().cmdFindPushpin->Caption(), "Find");
    EXPECT_EQ(form().ButtonShowAll->Caption(), "Get All");
    EXPECT_TRUE(status().startsWith("Matched: ")) << status().toStdString();
    EXPECT_EQ(status().section(' ', 3, 3), "10");
}

TEST_F(GetAllTest, SortAlternatesStartingDescending) {
    setMap({{"A", {{"B"}, {"A"}, {"C"}}}});
    open();
    getAll();
    emit form().cmdSort->Click();
    EXPECT_EQ(rows(), (QStringList{"C", "B", "A"}));
    emit form().cmdSort->Click();
    EXPECT_EQ(rows(), (QStringList{"A", "B", "C"}));
    emit form().cmdSort->Click();
    EXPECT_EQ(rows(), (QStringList{"C", "B", "A"}));
}

TEST_F(GetAllTest, SortingStaysOnForRowsAddedLater) {
    setMap({{"A", {{"delta"}, {"Alpha"}, {"charlie"}, {"Main"}, {"bravo"}, {"main st"}}}});
    open();
    emit form().cmdSort->Click(); // descending, on an empty list
    getAll();
    EXPECT_EQ(rows(), (QStringList{"main st", "Main", "delta", "charlie", "bravo", "Alpha"}));
    // Ascending now; the exact-lookup row takes its sorted place, and the First-row
    // rule compares with whatever sorts first.
    emit form().cmdSort->Click();
    find("a");
    EXPECT_EQ(rows(), (QStringList{"Alpha", "bravo", "charlie", "delta", "Main", "main st"}));
    // Descending again: the exact-lookup row is no longer the first row.
    emit form().cmdSort->Click();
    find("Main");
    EXPECT_EQ(rows(), (QStringList{"main st", "Main"}));
    EXPECT_EQ(status(), "Matched: 2 of 6 records searched");
}

TEST_F(GetAllTest, SortedInsertionOfLargeBatchesKeepsTheOrderAndTheSelection) {
    std::vector<Pin> pins;
    for (int i = 0; i < 2000; ++i)
        pins.push_back({QStringLiteral("n%1").arg((i * 7919) % 2000, 4, 10, QLatin1Char('0'))});
    setMap({{"A", pins}});
    open();
    toolwindow::ResultListModel& model = *form().ResultRows();
    model.append("n0500x", 1);
    model.flush();
    emit form().cmdSort->Click(); // descending
    form().ListView1->selectionModel()->select(model.index(0), QItemSelectionModel::Select);
    // Batches of many rows go in by merging; the selected row must follow its text.
    for (int i = 0; i < 2000; ++i)
        model.append(pins[static_cast<size_t>(i)].name, 1);
    model.flush();
    ASSERT_EQ(model.rowCount(), 2001);
    for (int i = 1; i < model.rowCount(); ++i)
        ASSERT_GE(QString::compare(model.text(i - 1), model.text(i), Qt::CaseInsensitive), 0) << i;
    // Descending: n0501 .. n1999 come before n0500x.
    const int at = rows().indexOf("n0500x");
    EXPECT_EQ(at, 1499);
    EXPECT_TRUE(form().rowActionHost().isRowSelected(at + 1)) << "selection lost";
    EXPECT_FALSE(form().rowActionHost().isRowSelected(1));
}

TEST_F(GetAllTest, SortAndTheSelectorWorkInTheMiddleOfARunningLoop) {
    setMap({{"Many", numbered("p", 50)}, {"Other", {{"o1"}, {"o2"}, {"o3"}}}});
    open();
    toolwindow::MessagePump::setStandardInterval(0);
    atProgress(20, [&] {
        emit form().cmdSort->Click();
        form().ImageCombo1->setCurrentIndex(2);
    });
    getAll();
    // Every row, the ones listed after the Sort click in their sorted place.
    QStringList expected;
    for (int i = 1; i <= 50; ++i)
        expected << QStringLiteral("p%1").arg(i);
    expected << "o1"
             << "o2"
             << "o3";
    std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) > 0;
    });
    EXPECT_EQ(rows(), expected);
    // The loop went on with the choice it started with; the panel text of the
    // selector change was replaced by the end block.
    EXPECT_EQ(status(), "");
    EXPECT_EQ(form().DataSetChoice(), "Other");
}

TEST_F(GetAllTest, ClearEmptiesOnlyTheList) {
    setMap({{"A", {{"one"}, {"two"}}}});
    open();
    find("o");
    const QString text = status();
    emit form().ButtonClear->Click();
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(status(), text);
    emit form().ButtonClear->Click(); // empty list: no effect, no failure
    emit form().cmdSort->Click();
    EXPECT_TRUE(rows().isEmpty());
}

} // namespace
