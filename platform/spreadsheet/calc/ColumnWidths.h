#pragma once

#include "CellValues.h"

#include <QFontMetricsF>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace spreadsheet::calc {

// Column widths worked out from the values the adapter sends, instead of asking Calc
// to measure every row: per column the widest value so far, and which columns are to
// fit their contents. Widths are in 1/100 mm, as Calc takes them.
class ColumnWidths {
public:
    // A value written into a column (0-based).
    void note(int column, const CellValue& cell);
    // The columns first to last fit their contents from now on.
    void fit(int first, int last);
    bool fitted(int column) const;
    // Widths of the fitted columns whose widest value grew since the last call.
    std::vector<std::pair<int, int>> takeChanges();

    // The font the cells show their values in (Calc's default cell style).
    void setFont(const QString& family, double points);
    bool hasFont() const { return font_.has_value(); }
    // The width that shows text in the cells' font, with Calc's usual margin added.
    int widthOf(const QString& text) const;
    // A width in characters of the font's digits, the unit ColumnWidth reports.
    double characters(int width) const;

private:
    struct Column {
        CellValue widest;
        bool changed = false;
    };
    double textWidth(const QString& text) const;

    std::map<int, Column> columns_;
    std::optional<QFontMetricsF> font_;
    double dpi_ = 96;
    std::vector<std::pair<int, int>> fitted_; // column ranges, both ends included
};

} // namespace spreadsheet::calc
