#include "WorkbookWindow.h"

#include "BookModel.h"
#include "SheetModel.h"
#include "XlsxFile.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QTabWidget>
#include <QTableView>

namespace spreadsheet {

WorkbookWindow::WorkbookWindow(BookModel* book, QWidget* parent)
    : QMainWindow(parent), book_(book), tabs_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("WorkbookWindow"));
    setWindowTitle(book->name() + QStringLiteral(" - Spreadsheet"));
    tabs_->setObjectName(QStringLiteral("SheetTabs"));
    tabs_->setTabPosition(QTabWidget::South);
    tabs_->setDocumentMode(true);
    setCentralWidget(tabs_);
    resize(900, 560);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* save = file->addAction(QStringLiteral("Save &As..."), this, &WorkbookWindow::saveAs);
    save->setObjectName(QStringLiteral("mnuSaveAs"));
    save->setShortcut(QKeySequence::SaveAs);
    file->addAction(QStringLiteral("&Close"), this, &QWidget::close);

    for (int i = 0; i < book->count(); ++i)
        insertTab(i);
    tabs_->setCurrentIndex(book->activeIndex());
    connect(book, &BookModel::sheetInserted, this, &WorkbookWindow::insertTab);
    connect(book, &BookModel::sheetAboutToBeRemoved, this, [this](int index) {
        QWidget* page = tabs_->widget(index);
        tabs_->removeTab(index);
        delete page;
    });
    connect(book, &BookModel::activeChanged, tabs_, &QTabWidget::setCurrentIndex);
    connect(tabs_, &QTabWidget::currentChanged, book, &BookModel::setActive);
}

void WorkbookWindow::insertTab(int index) {
    SheetModel* sheet = book_->sheet(index);
    auto* view = new QTableView;
    view->setObjectName(QStringLiteral("SheetView"));
    view->setModel(sheet);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    const int charWidth = view->fontMetrics().horizontalAdvance(u'0');
    view->horizontalHeader()->setDefaultSectionSize(
        int(SheetModel::DefaultColumnWidth * charWidth) + 8);
    connect(sheet, &SheetModel::columnWidthChanged, view,
            [view, charWidth](int column, double width) {
                view->setColumnWidth(column, int(width * charWidth) + 8);
            });
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // New rows come into sight as they are written; the scroll waits for the event
    // loop, so a burst of rows costs one scroll, not one per row.
    connect(sheet, &QAbstractItemModel::rowsInserted, view, [view, sheet] {
        if (view->property("scrollPending").toBool())
            return;
        view->setProperty("scrollPending", true);
        QMetaObject::invokeMethod(
            view,
            [view, sheet] {
                view->setProperty("scrollPending", false);
                view->scrollTo(sheet->index(sheet->usedRows() - 1, 0));
            },
            Qt::QueuedConnection);
    });
    const int at = tabs_->insertTab(index, view, sheet->name());
    connect(sheet, &SheetModel::renamed, tabs_,
            [this, view](const QString& name) { tabs_->setTabText(tabs_->indexOf(view), name); });
    Q_UNUSED(at);
}

void WorkbookWindow::saveAs() {
    const QString fileName = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save As"), book_->name() + QStringLiteral(".xlsx"),
        QStringLiteral("Excel Workbook (*.xlsx)"));
    if (fileName.isEmpty())
        return;
    const QString problem = SaveXlsx(*book_, fileName);
    if (!problem.isEmpty())
        QMessageBox::critical(this, QStringLiteral("Save As"),
                              QStringLiteral("The workbook was not saved.\n%1").arg(problem));
}

void WorkbookWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace spreadsheet
