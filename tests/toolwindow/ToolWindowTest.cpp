// The tool window itself: controls by name, the Dataset selector and its status
// texts, Refresh, the "Selected Shape" entry, the progress seat, close-to-hide and
// File > Exit, and the hidden Command1.
#include "ToolWindowFixture.h"

#include "toolwindow/ResultListView.h"

#include "widgets/AltKeyGuard.h"
#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

using namespace twtest;

namespace {

class WindowTest : public ToolWindowTest {};

QStringList selectorItems(toolwindow::frmAddIn& form) {
    QStringList items;
    for (int i = 0; i < form.ImageCombo1->count(); ++i)
        items << form.ImageCombo1->itemText(i);
    return items;
}

// The 1-based picture an item shows, found by comparing with the image table.
int selectorPicture(toolwindow::frmAddIn& form, int item) {
    const QImage shown = form.ImageCombo1->itemIcon(item).pixmap(16, 16).toImage();
    for (int i = 1; i <= locastra::SymbolImageTable::Size; ++i)
        if (form.ImageList1().picture(i).toImage().convertToFormat(shown.format()) == shown)
            return i;
    return 0;
}

TEST_F(WindowTest, EveryNamedControlAndMenuEntryExists) {
    setMap({});
    open();
    const char* widgets[] = {"Label2",       "ImageCombo1",    "Frame1",        "cmdChange",
                             "Frame4",       "cmdFindPushpin", "ButtonShowAll", "cmdSort",
                             "ButtonClear",  "Text1",          "ListView1",     "StatusBar1",
                             "ProgressBar1", "Combo1",         "cmdExport",     "cmdQuit",
                             "Help",         "Command1",       "Command222"};
    for (const char* name : widgets)
        EXPECT_NE(form().findChild<QWidget*>(name), nullptr) << name;
    EXPECT_EQ(form().findChildren<QRadioButton*>("Option1").size(), 3);
    EXPECT_EQ(form().findChildren<QRadioButton*>("Option2").size(), 2);
    EXPECT_EQ(form().findChildren<QFrame*>("Line1").size(), 2);
    EXPECT_TRUE(form().Option1[0]->isChecked());
    EXPECT_EQ(form().Frame1->title(), " Pushpin Labels");
    EXPECT_EQ(form().cmdFindPushpin->parentWidget(), form().Frame4);
    EXPECT_NE(form().Text1->parentWidget(), form().Frame4);

    const QStringList bar = [&] {
        QStringList titles;
        for (QAction* a : form().menuBar->actions())
            titles << a->objectName() + "=" + a->text();
        return titles;
    }();
    EXPECT_EQ(bar, (QStringList{"mnuFile=&File", "mnuView=&View", "mnuDataset=Dataset",
                                "mnuTools=&Tools", "mnuAboutMaain=&Help"}));
    QStringList popup;
    for (QAction* a : form().mnuRightClick->actions())
        popup << a->objectName();
    EXPECT_EQ(popup, (QStringList{"mnuShowInformation", "mnuShowName", "mnuCloseBalloon",
                                  "mnuHighlight", "mnu1", "mnuGetLatLon", "mnuShowInfo",
                                  "mnuChangeSymbol", "mnuDeletePushpin", "mnuCopyLatLon"}));
    EXPECT_EQ(form().mnu1->text(), QString(28, '-'));
    for (const char* name :
         {"mnuHide", "mnuExit", "mnuZoomIn", "mnuZoomOut", "mnuZoomtoDataset", "mnuHideDataset",
          "mnuChangePushpin4Dataset", "mnuRefresh", "mnuRunBenchmark", "mnuSelectedDataset",
          "mnuSelectedShape", "mnuAbout", "mnuHelp"})
        EXPECT_NE(form().findChild<QAction*>(name), nullptr) << name;
    EXPECT_EQ(form().mnuZoomIn->shortcut(), QKeySequence("Ctrl+I"));
    EXPECT_EQ(form().mnuHelp->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(WindowTest, LoadSetsCaptionPositionColumnAndSelector) {
    setMap({{"Shops", {{"a"}}}});
    host_->setPosition(1500, 3000);
    open();
    EXPECT_EQ(form().windowTitle(), "Locastra v2.4");
    EXPECT_EQ(form().pos(), QPoint(desktop::twipsToPixelsX(1500), desktop::twipsToPixelsY(4400)));
    EXPECT_EQ(form().ResultRows()->headerData(0, Qt::Horizontal).toString(), "Pushpin");
    EXPECT_TRUE(form().ListView1->header()->isVisibleTo(&form()));
    EXPECT_EQ(selectorItems(form()), (QStringList{"All", "Shops"}));
    EXPECT_EQ(form().DataSetChoice(), "All");
    // The layout is in twips: the client area is 3705 x 7515.
    EXPECT_EQ(form().clientArea->size(), desktop::twipsRect(0, 0, 3705, 7515).size());
    EXPECT_EQ(form().Text1->geometry(), desktop::twipsRect(150, 2625, 3375, 360));
    EXPECT_FALSE(form().ProgressBar1->isVisible());
    // Off-window controls exist but lie outside the client area.
    EXPECT_FALSE(form().clientArea->rect().intersects(form().cmdQuit->geometry()));
}

TEST_F(WindowTest, SelectorListsDuplicatesWithSymbolPictures) {
    maphost::MapData data = mapOf({{"Twin", {{"a"}}, 254},
                                   {"Empty", {}, 255},
                                   {"Twin", {{"b"}, {"c"}}, 3},
                                   {"Custom", {{"d"}}, 256}});
    maphost::CustomSymbolData custom;
    custom.id = 256;
    custom.name = "Mine";
    custom.image = QImage(16, 16, QImage::Format_ARGB32);
    custom.image.fill(Qt::red);
    data.customSymbols.push_back(custom);
    map_ = maphost::HostMap::create(data);
    host_->setActiveMap(map_);
    open();
    EXPECT_EQ(selectorItems(form()), (QStringList{"All", "Twin", "Empty", "Twin", "Custom"}));
    EXPECT_EQ(selectorPicture(form(), 0), 1);
    EXPECT_EQ(selectorPicture(form(), 1), 255);
    EXPECT_EQ(selectorPicture(form(), 2), 1);
    EXPECT_EQ(selectorPicture(form(), 3), 4);
    EXPECT_EQ(selectorPicture(form(), 4), 1);

    form().ImageCombo1->setCurrentIndex(3); // the second "Twin": the first one's count
    EXPECT_EQ(status(), "Twin contains 1 Pushpins");
    form().ImageCombo1->setCurrentIndex(2);
    EXPECT_EQ(status(), "Empty contains 0 Pushpins");
    choose("Nowhere"); // no dataset of that name: the text stays
    EXPECT_EQ(status(), "Empty contains 0 Pushpins");
    form().ImageCombo1->setCurrentIndex(0);
    EXPECT_EQ(status(), "");
}

TEST_F(WindowTest, MapWithoutDatasetsOrWithoutHostLeavesOnlyAll) {
    setMap({});
    open();
    EXPECT_EQ(selectorItems(form()), QStringList{"All"});
    form_.reset();
    automation::RevokeActiveObject("MapPoint.Application", host_.get());
    open();
    EXPECT_EQ(selectorItems(form()), QStringList{"All"});
    EXPECT_FALSE(form().mnuSelectedShape->isEnabled());
}

TEST_F(WindowTest, RefreshRebuildsTheSelectorAndLeavesTheStatus) {
    setMap({{"One", {{"a"}}}});
    open();
    form().ImageCombo1->setCurrentIndex(1);
    ASSERT_EQ(status(), "One contains 1 Pushpins");
    maphost::DataSetData added;
    added.name = "Two";
    map_->addDataSet(added);
    EXPECT_EQ(selectorItems(form()), (QStringList{"All", "One"})); // nothing refreshes by itself
    form().mnuRefresh->trigger();
    EXPECT_EQ(selectorItems(form()), (QStringList{"All", "One", "Two"}));
    EXPECT_EQ(form().DataSetChoice(), "All");
    EXPECT_EQ(status(), "One contains 1 Pushpins");

    // With the host gone, Refresh still leaves a usable selector.
    automation::RevokeActiveObject("MapPoint.Application", host_.get());
    form().mnuRefresh->trigger();
    EXPECT_EQ(selectorItems(form()), QStringList{"All"});
}

TEST_F(WindowTest, SelectedShapeFollowsTheMapSelectionWhenToolsOpens) {
    setMap({{"A", {{"pin"}}}});
    maphost::ShapeData area;
    area.kind = maphost::ShapeKind::Rectangle;
    area.points = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const maphost::ShapeId areaId = map_->addShape(area);
    maphost::ShapeData line;
    line.kind = maphost::ShapeKind::Line;
    line.points = {{0, 0}, {10, 10}};
    const maphost::ShapeId lineId = map_->addShape(line);
    map_->selectShape(areaId);
    open();
    EXPECT_TRUE(form().mnuSelectedShape->isEnabled());

    const auto openTools = [&] {
        emit form().mnuTools->aboutToShow();
    };
    map_->selectShape(lineId);
    openTools();
    EXPECT_FALSE(form().mnuSelectedShape->isEnabled());
    map_->selectShape(areaId);
    openTools();
    EXPECT_TRUE(form().mnuSelectedShape->isEnabled());
    map_->selectPushpin(map_->dataSetPushpins(map_->dataSetAt(0)).front());
    openTools();
    EXPECT_FALSE(form().mnuSelectedShape->isEnabled());
    map_->selectShape(areaId);
    automation::RevokeActiveObject("MapPoint.Application", host_.get());
    openTools();
    EXPECT_FALSE(form().mnuSelectedShape->isEnabled());
}

TEST_F(WindowTest, ProgressBarIsSeatedOverPanelOne) {
    setMap({});
    open();
    int16_t panel = 1;
    form().StatusBar1->setPanelBevel(1, toolwindow::StatusBar::Inset);
    form().MoveProgressBarIntoPanel(form().ProgressBar1, form().StatusBar1, panel);
    const QRect seat = form().ProgressBar1->geometry();
    const QRect bar = form().StatusBar1->geometry();
    const QRect panelRect = form().StatusBar1->panelRect(1);
    EXPECT_TRUE(form().ProgressBar1->isVisible());
    EXPECT_EQ(form().StatusBar1->panelBevel(1), toolwindow::StatusBar::NoBevel);
    EXPECT_EQ(seat.left(), bar.left() + panelRect.left());
    EXPECT_EQ(seat.width(), panelRect.width());
    EXPECT_EQ(seat.top(), form().clientArea->height() - bar.height() + 2);
    EXPECT_EQ(seat.height(), bar.height() - 2);
    EXPECT_EQ(seat.bottom(), bar.bottom());
}

TEST_F(WindowTest, CloseHidesAndKeepsContentsExitUnloads) {
    setMap({{"A", {{"a"}, {"b"}}}});
    open();
    getAll();
    form().close();
    EXPECT_EQ(owner_.hides, 1);
    EXPECT_FALSE(form().isVisible());
    EXPECT_FALSE(form().isUnloaded());
    EXPECT_EQ(rows().size(), 2);
    form().show();
    emit form().cmdQuit->Click();
    EXPECT_EQ(owner_.hides, 2);
    form().show();
    form().mnuHide->trigger();
    EXPECT_EQ(owner_.hides, 3);
    form().show();
    // The window has no cancel button: Esc does nothing, wherever the focus is.
    for (QWidget* focus :
         {static_cast<QWidget*>(form().Text1), static_cast<QWidget*>(form().cmdFindPushpin),
          static_cast<QWidget*>(form().ListView1), static_cast<QWidget*>(&form())}) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(focus, &escape);
        EXPECT_TRUE(form().isVisible()) << focus->objectName().toStdString();
    }
    EXPECT_EQ(owner_.hides, 3);
    EXPECT_FALSE(form().isUnloaded());
    form().mnuExit->trigger();
    EXPECT_TRUE(form().isUnloaded());
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(owner_.hides, 3);
}

TEST_F(WindowTest, FindTurnsBoldOnHoverAndCommand1ShowsTheChoice) {
    setMap({{"Shops", {}}});
    open();
    EXPECT_FALSE(form().cmdFindPushpin->FontBold());
    emit form().cmdFindPushpin->MouseMove(0, 0, 3, 3);
    EXPECT_TRUE(form().cmdFindPushpin->FontBold());
    choose("Shops");
    emit form().Command1->Click();
    const auto boxes = desktop_->callsOf(desktop::RecordedCall::Kind::MessageBox);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].text, "Shops");
    EXPECT_EQ(boxes[0].buttons, desktop::Buttons::Ok);
}

TEST_F(WindowTest, RightButtonOnTheListOpensThePopUpMenu) {
    setMap({});
    open();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form().ListView1->viewport(), &press);
    EXPECT_TRUE(form().mnuRightClick->isVisible());
    form().mnuRightClick->hide();
    QMouseEvent left(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form().ListView1->viewport(), &left);
    EXPECT_FALSE(form().mnuRightClick->isVisible());
}

QList<int> selectedRows(toolwindow::frmAddIn& form) {
    QList<int> rows;
    for (const QModelIndex& index : form.ListView1->selectionModel()->selectedIndexes())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

// A right-click selects the row under the pointer unless it is already selected; beside
// the rows the selection stays. The menu opens every time.
TEST_F(WindowTest, RightClickSelectsTheRowItActsOn) {
    setMap({{"Pins", numbered("Pin", 5)}});
    open();
    getAll();
    QCoreApplication::processEvents();
    toolwindow::ResultListView* list = form().ListView1;
    const auto rowCentre = [&](int row) {
        return list->visualRect(form().ResultRows()->index(row, 0)).center();
    };
    const QPoint empty(5, list->viewport()->height() - 3);
    ASSERT_FALSE(list->indexAt(empty).isValid());
    const auto select = [&](QList<int> rows) {
        list->clearSelection();
        for (int row : rows)
            list->selectionModel()->select(form().ResultRows()->index(row, 0),
                                           QItemSelectionModel::Select);
    };
    const struct {
        QList<int> before;
        QPoint at;
        QList<int> after;
    } cases[] = {
        {{0}, rowCentre(2), {2}},       // another row: it alone
        {{}, rowCentre(4), {4}},        // nothing selected
        {{1, 3}, rowCentre(3), {1, 3}}, // a selected row: the selection stays
        {{1, 3}, empty, {1, 3}},        // beside the rows: as it is
        {{}, empty, {}},
    };
    for (const auto& c : cases) {
        select(c.before);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(c.at), list->mapToGlobal(c.at),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &press);
        EXPECT_EQ(selectedRows(form()), c.after);
        EXPECT_TRUE(form().mnuRightClick->isVisible());
        form().mnuRightClick->hide();
    }
}

// Alt with a letter no access key takes types nothing into the search box or the
// Dataset(s) box; access keys and plain typing work as before.
TEST_F(WindowTest, AltLettersTypeNothingIntoTheTextBoxes) {
    setMap({{"fiji", numbered("Pin", 12)}});
    open();
    form().activateWindow();
    QCoreApplication::processEvents();
    choose("fiji");
    ASSERT_EQ(status(), "fiji contains 12 Pushpins");
    QLineEdit* datasetBox = form().ImageCombo1->lineEdit();
    for (QLineEdit* box : {form().Text1, datasetBox}) {
        box->setFocus();
        box->setText("fiji");
        for (Qt::Key key : {Qt::Key_D, Qt::Key_K, Qt::Key_1})
            QTest::keyClick(box, key, Qt::AltModifier);
        QTest::keyClick(box, Qt::Key_D, Qt::AltModifier | Qt::ShiftModifier);
        EXPECT_EQ(box->text(), "fiji") << box->objectName().toStdString();
        QTest::keyClick(box, Qt::Key_F, Qt::AltModifier);
        EXPECT_TRUE(form().mnuFile->isVisible());
        form().mnuFile->hide();
        // AltGr, as some systems report it, and plain keys still type.
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Q, QStringLiteral("@"),
                            Qt::ControlModifier | Qt::AltModifier);
        QTest::keyClick(box, Qt::Key_D);
        EXPECT_EQ(box->text(), "fiji@d");
        box->setText("fiji");
    }
    EXPECT_EQ(form().DataSetChoice(), "fiji");
    EXPECT_EQ(status(), "fiji contains 12 Pushpins");
}

// The guard covers every kind of text input a window has.
TEST_F(WindowTest, AltKeyGuardCoversEveryTextInput) {
    QDialog window;
    auto* layout = new QVBoxLayout(&window);
    auto* line = new QLineEdit(&window);
    auto* text = new QTextEdit(&window);
    auto* combo = new QComboBox(&window);
    combo->setEditable(true);
    for (QWidget* input :
         {static_cast<QWidget*>(line), static_cast<QWidget*>(text), static_cast<QWidget*>(combo)})
        layout->addWidget(input);
    GuardTextInputsFromAltKeys(&window);
    window.show();
    for (QWidget* input : {static_cast<QWidget*>(line), static_cast<QWidget*>(text),
                           static_cast<QWidget*>(combo->lineEdit())}) {
        input->setFocus();
        QTest::keyClick(input, Qt::Key_X, Qt::AltModifier);
        QTest::keyClick(input, Qt::Key_Y);
    }
    EXPECT_EQ(line->text(), "y");
    EXPECT_EQ(text->toPlainText(), "y");
    EXPECT_EQ(combo->currentText(), "y");
}

} // namespace
