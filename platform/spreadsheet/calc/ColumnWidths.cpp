#include "ColumnWidths.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace spreadsheet::calc {

namespace {

constexpr double HundredthMillimetresPerInch = 2540.0;
constexpr int Margins = 200;           // both cell margins, with room to spare
constexpr int FallbackCharacter = 200; // a character of 10 pt text, without a font at hand

// Calc's default cell font, and the resolution its width is measured at; none when the
// process has no GUI to measure with.
const QFontMetricsF* metrics(double& dpi) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ||
        !QGuiApplication::primaryScreen())
        return nullptr;
    static const QFontMetricsF fontMetrics = [] {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(10);
        return QFontMetricsF(font);
    }();
    dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    return &fontMetrics;
}

double textWidth(const QString& text) {
    double dpi = 96;
    if (const QFontMetricsF* font = metrics(dpi))
        return font->horizontalAdvance(text) / dpi * HundredthMillimetresPerInch;
    return double(text.size()) * FallbackCharacter;
}

} // namespace

void ColumnWidths::fit(int first, int last) {
    if (fitted(first) && fitted(last))
        return;
    fitted_.emplace_back(first, last);
    for (int column = first; column <= last; ++column) {
        auto it = columns_.find(column);
        if (it != columns_.end())
            it->second.changed = true;
    }
}

bool ColumnWidths::fitted(int column) const {
    return std::any_of(fitted_.begin(), fitted_.end(), [column](const auto& range) {
        return column >= range.first && column <= range.second;
    });
}

std::vector<std::pair<int, int>> ColumnWidths::takeChanges() {
    std::vector<std::pair<int, int>> changes;
    for (auto& [column, entry] : columns_) {
        if (!entry.changed || !fitted(column))
            continue;
        entry.changed = false;
        changes.emplace_back(column, widthOf(DisplayText(entry.widest)));
    }
    return changes;
}

int ColumnWidths::widthOf(const QString& text) {
    return int(std::ceil(textWidth(text))) + Margins;
}

double ColumnWidths::characters(int width) {
    return std::max(0, width - Margins) / textWidth(QStringLiteral("0"));
}

} // namespace spreadsheet::calc
