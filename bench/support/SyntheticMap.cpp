#include "SyntheticMap.h"

#include <QStringList>
#include <random>

namespace synthetic {

namespace {
const char* const Words[] = {"Blue",  "Harbor", "Mill", "North", "Oak",    "River", "Stone",
                             "Green", "Market", "Hill", "Lake",  "Bridge", "Old",   "Station",
                             "Field", "Castle", "Bay",  "Cross", "Park",   "West"};
constexpr int WordCount = int(sizeof(Words) / sizeof(Words[0]));

// A small, fast generator for values derived from (seed, n): SplitMix64.
class SplitMix {
public:
    explicit SplitMix(uint64_t seed) : state_(seed) {}
    using result_type = uint64_t;
    static constexpr uint64_t min() { return 0; }
    static constexpr uint64_t max() { return UINT64_MAX; }
    uint64_t operator()() {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }

private:
    uint64_t state_;
};

// The base (title case) name of pushpin number n of the whole map.
QString baseName(uint64_t seed, int n) {
    SplitMix random(seed * 1000003u + uint64_t(n));
    const int a = int(random() % WordCount), b = int(random() % WordCount);
    return QStringLiteral("%1 %2 %3").arg(QLatin1String(Words[a]), QLatin1String(Words[b])).arg(n);
}

// Pushpin n's name: every so often the name of an earlier pushpin (maybe in another
// case), otherwise its own, in title, upper or lower case.
QString pushpinName(const SyntheticMapOptions& options, int n) {
    SplitMix random(options.seed * 7919u + uint64_t(n) * 0x100000001b3u);
    std::uniform_real_distribution<double> unit(0, 1);
    int source = n;
    if (n > 0 && unit(random) < options.repeatedNames)
        source = int(random() % uint64_t(n));
    QString name = baseName(options.seed, source);
    switch (random() % 4) {
    case 0:
        return name.toUpper();
    case 1:
        return name.toLower();
    default:
        return name;
    }
}

int firstPushpin(const SyntheticMapOptions& options, int dataSet) {
    return int(int64_t(options.pushpins) * dataSet / options.dataSets);
}
} // namespace

maphost::DataSetData makeSyntheticDataSet(const SyntheticMapOptions& options, int index) {
    maphost::DataSetData ds;
    ds.name = QStringLiteral("Data %1").arg(index + 1);
    ds.symbol = index % 256;
    ds.fields = {{QStringLiteral("Category"), QMetaType::QString},
                 {QStringLiteral("Count"), QMetaType::LongLong},
                 {QStringLiteral("Score"), QMetaType::Double}};
    const int first = firstPushpin(options, index);
    const int end = firstPushpin(options, index + 1);
    ds.pushpins.reserve(size_t(end - first));
    SplitMix random(options.seed * 31u + uint64_t(index) * 0x9e3779b97f4a7c15u);
    std::uniform_real_distribution<double> lat(-80, 80), lon(-180, 180), score(0, 100);
    for (int n = first; n < end; ++n) {
        maphost::PushpinData& p = ds.pushpins.emplace_back();
        p.name = pushpinName(options, n);
        p.latitude = lat(random);
        p.longitude = lon(random);
        p.symbol = ds.symbol;
        p.values = {QStringLiteral("C%1").arg(random() % 1000), qlonglong(random() % 100000),
                    score(random)};
    }
    return ds;
}

maphost::MapData makeSyntheticMap(const SyntheticMapOptions& options) {
    maphost::MapData map;
    for (int d = 0; d < options.dataSets; ++d)
        map.dataSets.push_back(makeSyntheticDataSet(options, d));
    return map;
}

std::vector<QString> sampleNames(const SyntheticMapOptions& options, int count) {
    std::vector<QString> names;
    SplitMix random(options.seed ^ 0x5eed);
    for (int i = 0; i < count; ++i)
        names.push_back(pushpinName(options, int(random() % uint64_t(options.pushpins))));
    return names;
}

} // namespace synthetic
