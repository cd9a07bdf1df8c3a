// The result rows: batched and sorted insertion, the first row as the search sees
// it, the sort order (the user's locale's, ignoring case) and the insert pauses.
#include "toolwindow/ResultListModel.h"
#include "toolwindow/NameCollation.h"

#include <QCollator>
#include <QLocale>
#include <QPersistentModelIndex>
#include <chrono>
#include <gtest/gtest.h>
#include <numeric>
#include <thread>

using toolwindow::ResultListModel;

namespace {

QStringList texts(const ResultListModel& model) {
    QStringList out;
    for (int i = 0; i < model.rowCount(); ++i)
        out << model.text(i);
    return out;
}

TEST(ResultListModel, QueuedRowsArriveInOneInsertAndCountForTheFirstRow) {
    ResultListModel model;
    int inserts = 0;
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&] { ++inserts; });
    EXPECT_FALSE(model.firstRowText().has_value());
    model.append("b", 3);
    model.append("a", 1);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.firstRowText(), std::optional<QString>("b"));
    EXPECT_EQ(model.flush(), 1);
    EXPECT_EQ(inserts, 1);
    EXPECT_EQ(texts(model), (QStringList{"b", "a"}));
    EXPECT_EQ(model.imageIndex(0), 3);
    model.append("c", 1);
    EXPECT_EQ(model.firstRowText(), std::optional<QString>("b")); // queued rows come last
    EXPECT_EQ(model.flush(), 2);
    EXPECT_EQ(model.flush(), -1);
}

TEST(ResultListModel, SortedModelPlacesQueuedRowsAndReportsTheSortedFirst) {
    ResultListModel model;
    model.toggleSort(); // descending
    EXPECT_EQ(model.sortOrder(), Qt::DescendingOrder);
    model.append("b", 1);
    model.append("d", 1);
    model.append("a", 1);
    EXPECT_EQ(model.firstRowText(), std::optional<QString>("d"));
    model.flush();
    EXPECT_EQ(texts(model), (QStringList{"d", "b", "a"}));
    model.append("c", 1);
    model.append("E", 1);
    EXPECT_EQ(model.firstRowText(), std::optional<QString>("E"));
    EXPECT_EQ(model.flush(), 2); // the batch's last row in list order ("c")
    EXPECT_EQ(texts(model), (QStringList{"E", "d", "c", "b", "a"}));
    model.toggleSort();
    EXPECT_EQ(texts(model), (QStringList{"a", "b", "c", "d", "E"}));
}

TEST(ResultListModel, EqualNamesKeepTheirOrderAndRowsCanBeEdited) {
    ResultListModel model;
    model.append("x", 2);
    model.append("X", 3);
    model.append("x", 4);
    model.flush();
    model.toggleSort();
    model.toggleSort();
    // Case-insensitive equal: the order of arrival stays.
    EXPECT_EQ(model.imageIndex(0), 2);
    EXPECT_EQ(model.imageIndex(1), 3);
    EXPECT_EQ(model.imageIndex(2), 4);
    model.setImageIndex(1, 9);
    EXPECT_EQ(model.imageIndex(1), 9);
    EXPECT_TRUE(model.removeRows(0, 1));
    EXPECT_FALSE(model.removeRows(5, 1));
    EXPECT_EQ(model.rowCount(), 2);
    model.append("queued", 1);
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.flush(), -1);
}

// Batches that are sorted while they queue and merged into a long list end in the same
// order as one stable sort of every row in arrival order; kept indexes follow their rows.
TEST(ResultListModel, SortedBatchesMergeAsOneStableSort) {
    ResultListModel model;
    model.toggleSort();
    model.toggleSort(); // ascending
    const QStringList words{"oak", "Oak", "mill", "MILL", "bay", "Bay 2", "bay 10", "zed", ""};
    uint32_t state = 7;
    const auto next = [&] {
        return state = state * 1103515245u + 12345u;
    };
    QStringList arrival;
    QList<QPersistentModelIndex> kept;
    QList<int> keptImages;
    for (int round = 0; round < 6; ++round) {
        const int count = round == 3 ? 5 : 400 + round * 300; // one small batch too
        for (int i = 0; i < count; ++i) {
            const QString name =
                words[int(next() >> 16) % words.size()] + QString::number(int(next() >> 16) % 7);
            model.append(name, static_cast<int>(arrival.size() % 30000));
            arrival << name;
            if (i % 97 == 0)
                model.sortQueued();
        }
        model.flush();
        kept << QPersistentModelIndex(model.index(int(next() >> 16) % model.rowCount()));
        keptImages << model.imageIndex(kept.back().row());
    }
    const toolwindow::NameCollation collation;
    QVector<int> expected(arrival.size());
    std::iota(expected.begin(), expected.end(), 0);
    std::stable_sort(expected.begin(), expected.end(),
                     [&](int a, int b) { return collation.compare(arrival[a], arrival[b]) < 0; });
    ASSERT_EQ(model.rowCount(), arrival.size());
    for (int row = 0; row < model.rowCount(); ++row) {
        ASSERT_EQ(model.text(row), arrival[expected[row]]) << row;
        ASSERT_EQ(model.imageIndex(row), expected[row]) << row;
    }
    for (int i = 0; i < kept.size(); ++i)
        EXPECT_EQ(model.imageIndex(kept[i].row()), keptImages[i]);
}

TEST(ResultListModel, ASortedListInsertsOnceABatchIsFull) {
    ResultListModel model;
    for (int i = 0; i < 20000; ++i)
        model.append("unsorted", 0);
    EXPECT_FALSE(model.batchFull());
    model.flush();
    model.toggleSort();
    for (int i = 0; i < 16383; ++i)
        model.append("sorted", 0);
    EXPECT_FALSE(model.batchFull());
    model.append("sorted", 0);
    EXPECT_TRUE(model.batchFull());
    EXPECT_TRUE(model.flushDue());
}

} // namespace

namespace {

// Sets the default locale for one test.
class LocaleScope {
public:
    explicit LocaleScope(const char* name) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
    }
    ~LocaleScope() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

int sign(int c) {
    return (c > 0) - (c < 0);
}

TEST(ResultListModel, SortsAsTheUsersLocaleDoesIgnoringCase) {
    const LocaleScope english("en_US");
    ResultListModel model;
    for (const char* name : {"Zebra", "éclair", "banana", "Äpfel", "Eclair", "apfel", "zebra"})
        model.append(QString::fromUtf8(name), 1);
    model.flush();
    model.toggleSort(); // descending
    EXPECT_EQ(texts(model),
              (QStringList{"Zebra", "zebra", "éclair", "Eclair", "banana", "Äpfel", "apfel"}));
    model.toggleSort(); // ascending
    EXPECT_EQ(texts(model),
              (QStringList{"apfel", "Äpfel", "banana", "Eclair", "éclair", "Zebra", "zebra"}));
    // Sorted insertion keeps that order: one row and a batch.
    model.append(QStringLiteral("Ähre"), 1);
    model.flush();
    for (int i = 0; i < 40; ++i)
        model.append(QStringLiteral("Ébène %1").arg(i % 3), 1);
    model.flush();
    const QStringList rows = texts(model);
    EXPECT_EQ(rows.indexOf("Ähre"), 0);
    EXPECT_EQ(rows.indexOf("Ébène 0"), 4);
    EXPECT_EQ(rows.back(), "zebra");
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    for (int i = 1; i < rows.size(); ++i)
        EXPECT_LE(collator.compare(rows[i - 1], rows[i]), 0) << rows[i - 1].toStdString();
}

// The ASCII table is a shortcut only: in every locale, NameCollation answers what the
// collator answers, for ASCII and other names, and sorts as it does.
TEST(NameCollation, AgreesWithTheCollatorInEveryLocale) {
    const QStringList names = {"straße", "Strasse", "ÄPFEL",    "äpfel", "apfel", "Zebra", "zebra",
                               "é",      "E",       "ab",       "Ab",    "a",     "",      "Ωmega",
                               "ωmega",  "b",       "aB c",     "ab c",  "chata", "hrad",  "cizí",
                               "Aarhus", "Zürich",  "Istanbul", "ılık",  "Irmak", "i-1",   "i 2",
                               "I_3",    "10 Main", "9 Main",   "x!",    "x?",    "x.y",   "  lead",
                               "Ørsted", "Ohio",    "Ñandú",    "Nube",  "Laan"};
    for (const char* localeName :
         {"en_US", "de_DE", "tr_TR", "cs_CZ", "da_DK", "sv_SE", "es_ES", "fr_FR", "C"}) {
        const QLocale locale{QString::fromLatin1(localeName)};
        const toolwindow::NameCollation collation(locale);
        QCollator collator(locale);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        for (const QString& a : names)
            for (const QString& b : names)
                ASSERT_EQ(sign(collation.compare(a, b)), sign(collator.compare(a, b)))
                    << localeName << ": " << a.toStdString() << " / " << b.toStdString();
        std::vector<const QString*> pointers;
        for (const QString& name : names)
            pointers.push_back(&name);
        for (const bool ascending : {true, false}) {
            const std::vector<uint32_t> order = collation.sortedOrder(pointers, ascending);
            for (size_t i = 1; i < order.size(); ++i) {
                const int c = collator.compare(names[int(order[i - 1])], names[int(order[i])]);
                EXPECT_TRUE(ascending ? c <= 0 : c >= 0) << localeName;
                if (c == 0) { // equal names keep the order they came in
                    EXPECT_LT(order[i - 1], order[i]) << localeName;
                }
            }
        }
    }
    // Where ASCII letters combine ("ch" after "h" in Czech, "aa" as "å" in Danish)
    // every name goes to the collator.
    EXPECT_TRUE(toolwindow::NameCollation(QLocale("en_US")).asciiTable());
    EXPECT_FALSE(toolwindow::NameCollation(QLocale("cs_CZ")).asciiTable());
    EXPECT_FALSE(toolwindow::NameCollation(QLocale("da_DK")).asciiTable());
}

TEST(ResultListModel, FirstRowsGoInAtOnceLaterOnesInPauses) {
    ResultListModel model;
    EXPECT_FALSE(model.flushDue());
    model.append("first", 1);
    EXPECT_TRUE(model.flushDue()); // an empty list takes its first rows at once
    model.flush();
    EXPECT_EQ(model.flushPauseMs(), 16);
    model.append("second", 1);
    EXPECT_FALSE(model.flushDue()); // just inserted
    std::this_thread::sleep_for(std::chrono::milliseconds(model.flushPauseMs() + 5));
    EXPECT_TRUE(model.flushDue());
    // The pause grows with the list: every insert lays out all rows again.
    for (int i = 0; i < 400000; ++i)
        model.append(QStringLiteral("row"), 1);
    model.flush();
    EXPECT_EQ(model.flushPauseMs(), 16 + 400002 / 2000);
}

} // namespace
