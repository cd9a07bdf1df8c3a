#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QVariant>
#include <QVector>

namespace spreadsheet {

// The cells of one worksheet, shown by a table view as they are written. Rows and
// columns here are 0-based; the object model adds one.
class SheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int MaxRows = 1048576;
    static constexpr int MaxColumns = 16384;
    static constexpr double DefaultColumnWidth = 8.43;

    explicit SheetModel(QString name, QObject* parent = nullptr);

    QString name() const { return name_; }
    void setName(const QString& name);

    QVariant cell(int row, int column) const;
    void setCell(int row, int column, const QVariant& value);
    // Rows and columns up to the last one holding a value.
    int usedRows() const { return int(rows_.size()); }
    int usedColumns() const { return usedColumns_; }

    double columnWidth(int column) const;
    // Fits each column from first to last to its longest text (never narrower than
    // one character, empty columns fall back to the default width).
    void autoFit(int firstColumn, int lastColumn);

    // The text a cell shows: numbers with up to 15 significant digits.
    static QString displayText(const QVariant& value);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // "A", "B", ..., "Z", "AA", ... for a 0-based column.
    static QString columnLetters(int column);

signals:
    void columnWidthChanged(int column, double width);
    void renamed(const QString& name);

private:
    int longestText(int column);

    QString name_;
    QVector<QVector<QVariant>> rows_;
    int usedColumns_ = 0;
    QVector<double> widths_;
    // Per column: the longest text written so far, and whether that text has been
    // overwritten by a shorter one since (then AutoFit measures the column again).
    QVector<int> longest_;
    QVector<bool> stale_;
};

} // namespace spreadsheet
