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
constexpr int Margin = 254;            // what Calc's own optimal width adds: 0.1 inch
constexpr int FallbackCharacter = 200; // a character of 10 pt text, without a font at hand

} // namespace

void ColumnWidths::note(int column, const CellValue& cell) {
    Column& entry = columns_[column];
    int length = cell.displayLength;
    if (length == UnmeasuredNumber) {
        // Most numbers of a column are no wider than its widest one so far: those are
        // not written out.
        const double number = std::get<double>(cell.value);
        if (GeneralNumberLengthBound(number) <= entry.widest.displayLength)
            return;
        length = GeneralNumberLength(number);
    }
    if (length > entry.widest.displayLength) {
        entry.widest = cell;
        entry.widest.displayLength = length;
        entry.changed = true;
    }
}

void ColumnWidths::setFont(const QString& family, double points) {
    // Measuring needs a GUI application; without one the widths are estimated.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ||
        !QGuiApplication::primaryScreen())
        return;
    QFont font(family);
    font.setPointSizeF(points > 0 ? points : 10);
    font_.emplace(font);
    dpi_ = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
}

double ColumnWidths::textWidth(const QString& text) const {
    if (font_)
        return font_->horizontalAdvance(text) / dpi_ * HundredthMillimetresPerInch;
    return double(text.size()) * FallbackCharacter;
}

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

int ColumnWidths::widthOf(const QString& text) const {
    return int(std::ceil(textWidth(text))) + Margin;
}

double ColumnWidths::characters(int width) const {
    return std::max(0, width - Margin) / textWidth(QStringLiteral("0"));
}

} // namespace spreadsheet::calc
