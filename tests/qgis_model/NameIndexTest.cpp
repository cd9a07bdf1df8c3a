// The name index against a plain model of it: appends, removals, renames, unsaved
// (negative) ids and the compaction after many removals.
#include "PushpinNameIndex.h"

#include <QString>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using qgishost::PushpinNameIndex;

// What the index must answer: features in feature order (unsaved ids first, by id,
// then the others as added), the first of a name wins.
struct Model {
    struct Feature {
        int64_t id;
        QString name;
    };
    std::vector<Feature> stored;

    std::vector<Feature> inOrder() const {
        std::vector<Feature> unsaved, saved;
        for (const Feature& f : stored)
            (f.id < 0 ? unsaved : saved).push_back(f);
        std::stable_sort(unsaved.begin(), unsaved.end(),
                         [](const Feature& a, const Feature& b) { return a.id < b.id; });
        unsaved.insert(unsaved.end(), saved.begin(), saved.end());
        return unsaved;
    }
    bool first(const QString& name, int64_t& id) const {
        for (const Feature& f : inOrder()) {
            if (f.name == name) {
                id = f.id;
                return true;
            }
        }
        return false;
    }
};

void expectSame(const PushpinNameIndex& index, const Model& model, int names, int step) {
    for (int n = 0; n < names; ++n) {
        const QString name = QStringLiteral("n%1").arg(n);
        int64_t expected = 0, actual = 0;
        const bool inModel = model.first(name, expected);
        ASSERT_EQ(index.first(name, actual), inModel) << name.toStdString() << " step " << step;
        if (inModel) {
            ASSERT_EQ(actual, expected) << name.toStdString() << " step " << step;
        }
    }
    ASSERT_EQ(index.size(), model.stored.size());
}

TEST(PushpinNameIndex, AgreesWithAPlainModelThroughRandomEdits) {
    std::mt19937 random(18);
    PushpinNameIndex index;
    Model model;
    int64_t nextSaved = 0, nextUnsaved = -1;
    constexpr int Names = 40; // few names: long chains of duplicates
    auto nameOf = [&] {
        return QStringLiteral("n%1").arg(int(random() % Names));
    };
    for (int step = 0; step < 20000; ++step) {
        const unsigned action = random() % 10;
        if (action < 5 || model.stored.empty()) {
            const int64_t id = random() % 4 == 0 ? nextUnsaved-- : nextSaved++;
            const QString name = nameOf();
            index.append(id, name);
            model.stored.push_back({id, name});
        } else if (action < 8) {
            const size_t at = random() % model.stored.size();
            index.remove(model.stored[at].id);
            model.stored.erase(model.stored.begin() + long(at));
        } else {
            const size_t at = random() % model.stored.size();
            const QString name = nameOf();
            index.rename(model.stored[at].id, name);
            model.stored[at].name = name;
        }
        if (step % 500 == 0)
            expectSame(index, model, Names, step);
    }
    expectSame(index, model, Names, -1);
}

TEST(PushpinNameIndex, CompactsAfterManyRemovalsAndKeepsOrder) {
    PushpinNameIndex index;
    constexpr int Count = 20000;
    for (int i = 0; i < Count; ++i)
        index.append(i, QStringLiteral("name %1").arg(i % 100));
    const size_t full = index.memoryBytes();
    for (int i = 0; i < Count - 100; ++i)
        index.remove(i);
    EXPECT_LT(index.memoryBytes(), full / 4) << "removed entries are dropped";
    for (int k = 0; k < 100; ++k) {
        int64_t id = -1;
        ASSERT_TRUE(index.first(QStringLiteral("name %1").arg(k), id));
        EXPECT_EQ(id, Count - 100 + k);
    }
    int64_t id = 0;
    EXPECT_FALSE(index.first(QStringLiteral("name 100"), id));
    EXPECT_FALSE(index.first(QString(), id));
    index.remove(123456); // not there: nothing happens
    index.rename(123456, QStringLiteral("x"));
    EXPECT_EQ(index.size(), 100u);
}

TEST(PushpinNameIndex, RenameKeepsTheFeaturesPlace) {
    PushpinNameIndex index;
    index.append(1, "a");
    index.append(2, "b");
    index.append(3, "a");
    index.rename(1, "b"); // now b: 1, 2 (in feature order); a: 3
    int64_t id = 0;
    ASSERT_TRUE(index.first("b", id));
    EXPECT_EQ(id, 1);
    ASSERT_TRUE(index.first("a", id));
    EXPECT_EQ(id, 3);
    index.append(-5, "a"); // unsaved: walked before the stored ones
    ASSERT_TRUE(index.first("a", id));
    EXPECT_EQ(id, -5);
    index.append(-2, "a");
    ASSERT_TRUE(index.first("a", id));
    EXPECT_EQ(id, -5) << "unsaved ones by id";
}

} // namespace
