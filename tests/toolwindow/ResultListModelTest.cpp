// The result rows: batched and sorted insertion, the first row as the search sees
// it, and the match test against its definition (lower-case both, then contains).
#include "toolwindow/ResultListModel.h"
#include "toolwindow/LowerCaseContains.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(model.flush(), 0); // the last one queued ("E") landed at the top
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

TEST(LowerCaseContains, AgreesWithLowerCasingBothTexts) {
    const QStringList names = {"Main",  "OLD MAIN ROAD", "straße", "İstanbul", "ISTANBUL",
                               "ırmak", "Ärger",         "",       "main",     "mAIN st"};
    const QStringList texts = {"main", "MAIN", "i", "I", "ı", "İ", "ä", "STRAßE", "", "n s"};
    for (const char* localeName : {"C", "en_US", "tr_TR", "de_DE"}) {
        const QLocale previous;
        QLocale::setDefault(QLocale(QString::fromLatin1(localeName)));
        const QLocale locale;
        toolwindow::LowerCaseContains match;
        for (const QString& text : texts) {
            match.setText(text);
            for (const QString& name : names) {
                const bool expected = locale.toLower(name).contains(locale.toLower(text));
                EXPECT_EQ(match.matches(name), expected) << localeName << " '" << name.toStdString()
                                                         << "' / '" << text.toStdString() << "'";
            }
        }
        QLocale::setDefault(previous);
    }
}

} // namespace

namespace {

TEST(ResultListModel, SortOrderAgreesWithCaseInsensitiveComparison) {
    const QStringList names = {"straße", "Strasse", "ÄPFEL", "äpfel", "apfel", "Zebra",
                               "zebra",  "é",       "E",     "ab",    "Ab",    "a",
                               "",       "Ωmega",   "ωmega", "b",     "aB c",  "ab c"};
    ResultListModel model;
    for (int i = 0; i < names.size(); ++i)
        model.append(names[i], i + 1);
    model.flush();
    for (const Qt::SortOrder order : {Qt::DescendingOrder, Qt::AscendingOrder}) {
        model.toggleSort();
        ASSERT_EQ(model.sortOrder(), order);
        for (int i = 1; i < model.rowCount(); ++i) {
            const int c = QString::compare(model.text(i - 1), model.text(i), Qt::CaseInsensitive);
            const std::string pair =
                model.text(i - 1).toStdString() + " / " + model.text(i).toStdString();
            EXPECT_TRUE(order == Qt::AscendingOrder ? c <= 0 : c >= 0) << pair;
            if (c == 0) {
                // Equal texts keep the order they arrived in.
                EXPECT_LT(model.imageIndex(i - 1), model.imageIndex(i)) << pair;
            }
        }
    }
}

TEST(ResultListModel, FirstRowsGoInAtOnceLaterOnesInPauses) {
    ResultListModel model;
    EXPECT_FALSE(model.flushDue());
    model.append("first", 1);
    EXPECT_TRUE(model.flushDue());
    model.flush();
    model.append("second", 1);
    EXPECT_FALSE(model.flushDue()); // just inserted
    QElapsedTimer wait;
    wait.start();
    while (!model.flushDue() && wait.elapsed() < 1000) {
    }
    EXPECT_TRUE(model.flushDue());
}

} // namespace
