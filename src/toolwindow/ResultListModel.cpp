#include "ResultListModel.h"

#include <algorithm>

namespace toolwindow {

namespace {
// Below this many queued rows a sorted flush inserts row by row; above it, one
// layout change merges the batch (cheaper than many single inserts in a long list).
constexpr size_t SingleInsertLimit = 32;
} // namespace

ResultListModel::ResultListModel(QObject* parent) : QAbstractListModel(parent) {
    sinceFlush_.start();
}

ResultListModel::~ResultListModel() = default;

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()))
        return {};
    const Row& row = rows_[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return row.name;
    case Qt::DecorationRole:
        return images_.icon(row.image);
    default:
        return {};
    }
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole &&
        !header_.isEmpty())
        return header_;
    return {};
}

Qt::ItemFlags ResultListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

bool ResultListModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count <= 0 || row + count > static_cast<int>(rows_.size()))
        return false;
    beginRemoveRows({}, row, row + count - 1);
    rows_.erase(rows_.begin() + row, rows_.begin() + row + count);
    endRemoveRows();
    return true;
}

void ResultListModel::setColumnHeader(const QString& text) {
    header_ = text;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

bool ResultListModel::before(const Row& a, const Row& b) const {
    const int c = collation_.compare(a.name, a.key(), b.name, b.key());
    return order_ == Qt::AscendingOrder ? c < 0 : c > 0;
}

void ResultListModel::append(const QString& name, int imageIndex) {
    // Only a sorted list compares names: an unsorted one takes its keys when Sort is
    // first used.
    pending_.emplace_back(name, static_cast<int16_t>(imageIndex),
                          sorted_ ? collation_.key(name) : NameCollation::Key{});
    if (sorted_ && pending_.size() > 1 && before(pending_.back(), pending_[pendingFirst_]))
        pendingFirst_ = pending_.size() - 1;
}

std::optional<QString> ResultListModel::firstRowText() const {
    const Row* first = rows_.empty() ? nullptr : &rows_.front();
    if (!pending_.empty()) {
        const Row& candidate = sorted_ ? pending_[pendingFirst_] : pending_.front();
        // Unsorted, queued rows come after committed ones; sorted, a queued row that
        // sorts strictly before the first committed row becomes the first.
        if (!first || (sorted_ && before(candidate, *first)))
            first = &candidate;
    }
    if (!first)
        return std::nullopt;
    return first->name;
}

bool ResultListModel::flushDue() const {
    if (pending_.empty())
        return false;
    if (rows_.empty() || batchFull())
        return true;
    return sinceFlush_.elapsed() >= flushPauseMs();
}

int ResultListModel::flush() {
    if (pending_.empty())
        return -1;
    finishedInsert();
    sortQueued();
    std::vector<Row> batch;
    batch.swap(pending_);
    pendingFirst_ = 0;
    pendingSorted_ = 0;
    int lastRow = -1;
    if (!sorted_) {
        const int first = static_cast<int>(rows_.size());
        const int last = first + static_cast<int>(batch.size()) - 1;
        beginInsertRows({}, first, last);
        if (rows_.empty()) {
            rows_.swap(batch);
        } else {
            rows_.insert(rows_.end(), std::make_move_iterator(batch.begin()),
                         std::make_move_iterator(batch.end()));
        }
        endInsertRows();
        lastRow = last;
    } else {
        insertSorted(batch, lastRow);
    }
    return lastRow;
}

void ResultListModel::insertSorted(std::vector<Row>& batch, int& lastRow) {
    const auto less = rowLess();
    // An equal row goes after the rows already listed.
    if (batch.size() <= SingleInsertLimit) {
        for (Row& row : batch) {
            auto at = std::upper_bound(rows_.begin(), rows_.end(), row, less);
            const int position = static_cast<int>(at - rows_.begin());
            beginInsertRows({}, position, position);
            rows_.insert(at, std::move(row));
            endInsertRows();
            lastRow = position;
        }
        return;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Committed row r moves down by the number of batch rows sorting strictly before it.
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (const QModelIndex& index : persistent) {
        const Row& row = rows_[static_cast<size_t>(index.row())];
        const auto shift = std::lower_bound(batch.begin(), batch.end(), row, less) - batch.begin();
        moved.append(createIndex(index.row() + static_cast<int>(shift), 0));
    }
    // Where the last batch row lands: after every committed row not after it.
    const Row& lastOfBatch = batch.back();
    const auto committedBefore =
        std::upper_bound(rows_.begin(), rows_.end(), lastOfBatch, less) - rows_.begin();
    lastRow = static_cast<int>(committedBefore + static_cast<long>(batch.size()) - 1);
    mergeIntoRows(batch);
    changePersistentIndexList(persistent, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResultListModel::mergeIntoRows(std::vector<Row>& batch) {
    // From the back: the committed rows after each batch row move up by the number of
    // batch rows still to place, so every row moves once.
    size_t end = rows_.size();
    size_t out = end + batch.size();
    rows_.resize(out);
    for (size_t b = batch.size(); b-- > 0;) {
        const size_t at = upperBoundFromEnd(batch[b], end);
        std::move_backward(rows_.begin() + static_cast<long>(at),
                           rows_.begin() + static_cast<long>(end),
                           rows_.begin() + static_cast<long>(out));
        out -= end - at;
        end = at;
        rows_[--out] = std::move(batch[b]);
    }
}

size_t ResultListModel::upperBoundFromEnd(const Row& row, size_t end) const {
    size_t low = 0;
    size_t high = end; // every row in [high, end) sorts after row
    for (size_t step = 1; high > 0; step *= 2) {
        const size_t probe = high > step ? high - step : 0;
        if (!before(row, rows_[probe])) {
            low = probe + 1;
            break;
        }
        high = probe;
    }
    return static_cast<size_t>(std::upper_bound(rows_.begin() + static_cast<long>(low),
                                                rows_.begin() + static_cast<long>(high), row,
                                                rowLess()) -
                               rows_.begin());
}

void ResultListModel::sortQueued() {
    if (!sorted_ || pendingSorted_ == pending_.size())
        return;
    const auto from = pending_.begin() + static_cast<long>(pendingSorted_);
    std::vector<Row> tail(std::make_move_iterator(from), std::make_move_iterator(pending_.end()));
    pending_.erase(from, pending_.end());
    for (const uint32_t index : sortedOrder(tail))
        pending_.push_back(std::move(tail[index]));
    // Equal rows keep their order: the earlier queued ones come first.
    std::inplace_merge(pending_.begin(), pending_.begin() + static_cast<long>(pendingSorted_),
                       pending_.end(), rowLess());
    pendingSorted_ = pending_.size();
    pendingFirst_ = 0;
}

void ResultListModel::clear() {
    pending_.clear();
    pendingFirst_ = 0;
    pendingSorted_ = 0;
    if (rows_.empty())
        return;
    beginResetModel();
    std::vector<Row>().swap(rows_);
    endResetModel();
}

void ResultListModel::toggleSort() {
    flush();
    if (!sorted_) {
        for (Row& row : rows_)
            row.setKey(collation_.key(row.name));
    }
    sorted_ = true;
    order_ = order_ == Qt::DescendingOrder ? Qt::AscendingOrder : Qt::DescendingOrder;
    sortRows();
}

std::vector<uint32_t> ResultListModel::sortedOrder(const std::vector<Row>& rows) const {
    std::vector<const QString*> names(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        names[i] = &rows[i].name;
    return collation_.sortedOrder(names, order_ == Qt::AscendingOrder);
}

void ResultListModel::sortRows() {
    const size_t count = rows_.size();
    const std::vector<uint32_t> keys = sortedOrder(rows_);
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<Row> sorted;
    sorted.reserve(count);
    for (const uint32_t index : keys)
        sorted.push_back(std::move(rows_[index]));
    rows_.swap(sorted);
    // The selection and the current row follow their rows.
    const QModelIndexList persistent = persistentIndexList();
    if (!persistent.isEmpty()) {
        std::vector<int> newPosition(count);
        for (size_t i = 0; i < count; ++i)
            newPosition[keys[i]] = static_cast<int>(i);
        QModelIndexList moved;
        moved.reserve(persistent.size());
        for (const QModelIndex& index : persistent)
            moved.append(createIndex(newPosition[static_cast<size_t>(index.row())], 0));
        changePersistentIndexList(persistent, moved);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString ResultListModel::text(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return {};
    return rows_[static_cast<size_t>(row)].name;
}

int ResultListModel::imageIndex(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return 0;
    return rows_[static_cast<size_t>(row)].image;
}

void ResultListModel::setImageIndex(int row, int imageIndex) {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    rows_[static_cast<size_t>(row)].image = static_cast<int16_t>(imageIndex);
    const QModelIndex at = index(row);
    emit dataChanged(at, at, {Qt::DecorationRole});
}

size_t ResultListModel::storageBytes() const {
    return rows_.capacity() * sizeof(Row) + pending_.capacity() * sizeof(Row);
}

} // namespace toolwindow
