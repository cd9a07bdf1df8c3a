#include "SheetModel.h"

#include <QLocale>
#include <algorithm>

namespace spreadsheet {

namespace {
// Rows and columns the view shows beyond the used ones, like an empty grid.
constexpr int SpareRows = 20;
constexpr int SpareColumns = 8;
} // namespace

SheetModel::SheetModel(QString name, QObject* parent)
    : QAbstractTableModel(parent), name_(std::move(name)) {}

void SheetModel::setName(const QString& name) {
    name_ = name;
    emit renamed(name_);
}

QVariant SheetModel::cell(int row, int column) const {
    if (row < 0 || row >= rows_.size())
        return {};
    const auto& cells = rows_[row];
    return column >= 0 && column < cells.size() ? cells[column] : QVariant();
}

void SheetModel::setCell(int row, int column, const QVariant& value) {
    if (row < 0 || row >= MaxRows || column < 0 || column >= MaxColumns)
        return;
    const int oldRows = rowCount();
    const int oldColumns = columnCount();
    if (row >= rows_.size()) {
        if (!value.isValid())
            return;
        rows_.resize(row + 1);
    }
    auto& cells = rows_[row];
    if (column >= cells.size()) {
        if (!value.isValid())
            return;
        cells.resize(column + 1);
    }
    // Only overwriting the longest text of a column can make the column narrower.
    const bool wasLongest = cells[column].isValid() && column < longest_.size() &&
                            displayText(cells[column]).size() >= longest_[column];
    cells[column] = value;
    if (value.isValid())
        usedColumns_ = std::max(usedColumns_, column + 1);
    if (column >= longest_.size()) {
        longest_.resize(column + 1, 0);
        stale_.resize(column + 1, false);
    }
    const int length = int(displayText(value).size());
    if (length >= longest_[column])
        longest_[column] = length;
    else if (wasLongest)
        stale_[column] = true;

    if (rowCount() > oldRows) {
        beginInsertRows({}, oldRows, rowCount() - 1);
        endInsertRows();
    }
    if (columnCount() > oldColumns) {
        beginInsertColumns({}, oldColumns, columnCount() - 1);
        endInsertColumns();
    }
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

double SheetModel::columnWidth(int column) const {
    return column >= 0 && column < widths_.size() && widths_[column] > 0 ? widths_[column]
                                                                         : DefaultColumnWidth;
}

int SheetModel::longestText(int column) {
    if (column >= longest_.size())
        return 0;
    if (stale_[column]) {
        int longest = 0;
        for (const auto& cells : rows_) {
            if (column < cells.size())
                longest = std::max(longest, int(displayText(cells[column]).size()));
        }
        longest_[column] = longest;
        stale_[column] = false;
    }
    return longest_[column];
}

void SheetModel::autoFit(int firstColumn, int lastColumn) {
    firstColumn = std::max(firstColumn, 0);
    lastColumn = std::min(lastColumn, MaxColumns - 1);
    for (int column = firstColumn; column <= lastColumn; ++column) {
        const int longest = longestText(column);
        const double width = longest > 0 ? double(longest) + 1 : DefaultColumnWidth;
        if (column >= widths_.size())
            widths_.resize(column + 1, 0);
        if (widths_[column] != width) {
            widths_[column] = width;
            emit columnWidthChanged(column, width);
        }
    }
}

QString SheetModel::displayText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QLocale().toString(value.toDouble(), 'g', 15).remove(QLocale().groupSeparator());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    default:
        return value.toString();
    }
}

int SheetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size()) + SpareRows;
}

int SheetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : usedColumns_ + SpareColumns;
}

QVariant SheetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const QVariant value = cell(index.row(), index.column());
    if (role == Qt::DisplayRole)
        return displayText(value);
    if (role == Qt::TextAlignmentRole && value.isValid() && value.typeId() != QMetaType::QString)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Horizontal ? columnLetters(section) : QString::number(section + 1);
}

QString SheetModel::columnLetters(int column) {
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

} // namespace spreadsheet
