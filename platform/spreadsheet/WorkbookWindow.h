#pragma once

#include <QMainWindow>

class QTabWidget;

namespace spreadsheet {

class BookModel;

// The visible workbook: one tab per worksheet, in tab order, each a table view over
// the sheet's cells, showing rows as they are written. File > Save As writes .xlsx.
class WorkbookWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit WorkbookWindow(BookModel* book, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    // Asks for a file name and saves; a failure is shown and the old file kept.
    void saveAs();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void insertTab(int index);

    BookModel* book_;
    QTabWidget* tabs_;
};

} // namespace spreadsheet
