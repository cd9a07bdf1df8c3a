#pragma once

#include "NameCollation.h"
#include "addin/mappoint/SymbolImageTable.h"

#include <QAbstractListModel>
#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace toolwindow {

// The rows of the Result list: a pushpin name and its Symbol image index, nothing
// else. Loops append rows into a pending batch that flush() inserts with one
// notification; sorting, once switched on, stays on and places later rows in order.
// The order is the user's locale's, ignoring letter case (NameCollation).
// Row numbers in the public accessors are 0-based model rows (committed rows only:
// loops flush before they let the window handle events).
class ResultListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ResultListModel(QObject* parent = nullptr);
    ~ResultListModel() override;

    // --- QAbstractListModel ---------------------------------------------------------
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    // The one column header ("Pushpin"), added when the window loads.
    void setColumnHeader(const QString& text);
    QString columnHeader() const { return header_; }

    // Queues a row; it appears at the next flush().
    void append(const QString& name, int imageIndex);
    // Inserts the queued rows (in sorted place when sorting is on). Returns the model
    // row of the inserted row that comes last in the list (the newest one when the list
    // is not sorted), or -1 when nothing was queued.
    int flush();
    // Whether a loop should flush now: rows are waiting and the last insert is long
    // enough ago. Every insert makes the view lay out all rows again, so the pause
    // grows with the list (about 16 ms at first, half a second at a million rows, where
    // laying them out again still takes a tenth of the time); the first
    // rows go in at once.
    bool flushDue() const;
    // Whether a sorted list has queued as many rows as one insert should take: sorting
    // and merging them is what keeps the window from its messages, so a loop that
    // queues faster than the pause allows inserts now (see yieldNow).
    bool batchFull() const {
        return sorted_ && pending_.size() >= std::max<size_t>(16384, rows_.size() / 16);
    }
    // The pause between inserts at the list's present length, in milliseconds.
    qint64 flushPauseMs() const { return 16 + static_cast<qint64>(rows_.size() / 2000); }
    // Sorts the rows queued since the last call in among the queued ones (sorted lists
    // only). A loop calls it between event passes, so the sort is spread over the loop
    // and an insert has little more than the merge left.
    void sortQueued();
    // The text of the first row, queued rows included; nothing when there are none.
    std::optional<QString> firstRowText() const;
    // Rows committed plus rows queued.
    int totalRows() const { return static_cast<int>(rows_.size() + pending_.size()); }

    // Removes every row (queued ones too).
    void clear();
    // Switches sorting on and flips the order (descending first, as the order starts
    // ascending), then sorts.
    void toggleSort();
    bool isSorted() const { return sorted_; }
    Qt::SortOrder sortOrder() const { return order_; }

    QString text(int row) const;
    int imageIndex(int row) const;
    void setImageIndex(int row, int imageIndex);

    // Bytes the row storage holds beyond the names' own text (for the benchmark).
    size_t storageBytes() const;

private:
    struct Row {
        Row() = default;
        Row(QString n, int16_t i, NameCollation::Key k)
            : name(std::move(n)), image(i), ascii(k.ascii), prefix(k.prefix) {}
        NameCollation::Key key() const { return {prefix, ascii}; }
        void setKey(NameCollation::Key k) {
            ascii = k.ascii;
            prefix = k.prefix;
        }
        QString name;
        int16_t image = 0;
        // The name's sort key, made when the row is queued; it fits beside the image,
        // so a row takes no more memory.
        bool ascii = false;
        uint32_t prefix = 0;
    };
    static_assert(sizeof(Row) == sizeof(QString) + 8, "a row is its name and 8 bytes");
    bool before(const Row& a, const Row& b) const;
    auto rowLess() const {
        return [this](const Row& a, const Row& b) {
            return before(a, b);
        };
    }
    void finishedInsert() { sinceFlush_.restart(); }
    void sortRows();
    // The positions of rows in the current order (stable: equal texts keep theirs).
    std::vector<uint32_t> sortedOrder(const std::vector<Row>& rows) const;
    void insertSorted(std::vector<Row>& batch, int& lastRow);
    // Moves the sorted batch into rows_ in place, each batch row after the committed rows
    // that do not sort after it.
    void mergeIntoRows(std::vector<Row>& batch);
    // The first of rows_[0, end) that sorts after row (an upper bound), searched from
    // the end in growing steps: a batch row lands near the one merged before it, so
    // this takes a few comparisons where a linear merge would compare every row.
    size_t upperBoundFromEnd(const Row& row, size_t end) const;

    std::vector<Row> rows_;
    std::vector<Row> pending_;
    // Index in pending_ of the row that comes first in the current order.
    size_t pendingFirst_ = 0;
    // How many queued rows, from the first, are in order already (sortQueued).
    size_t pendingSorted_ = 0;
    bool sorted_ = false;
    Qt::SortOrder order_ = Qt::AscendingOrder;
    QString header_;
    QElapsedTimer sinceFlush_;
    locastra::SymbolImageTable images_;
    NameCollation collation_;
};

} // namespace toolwindow
