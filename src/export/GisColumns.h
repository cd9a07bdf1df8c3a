#pragma once

#include <QMetaType>
#include <QString>
#include <QVector>
#include <vector>

namespace exporting {

struct GisFormat;

// A column of a layer the GIS export writes: its name and the kind of values it holds
// (QString, LongLong, Double, Bool, QDate or QDateTime).
struct GisColumn {
    QString name;
    QMetaType::Type type = QMetaType::QString;
};

// The columns of one layer and where each data field's values go in them.
struct GisLayerColumns {
    // The pushpin's name and note first, then (in one layer for every dataset) the
    // dataset's name, then the data fields.
    QVector<GisColumn> columns;
    // Per dataset, per field in the dataset's order: the column of its values, or -1
    // for the field the name column stands for.
    std::vector<std::vector<int>> fieldColumns;

    static constexpr int Name = 0;
    static constexpr int Note = 1;
    static constexpr int DataSet = 2;
};

// The columns of a layer holding the datasets with these fields (one dataset, or for a
// format of one layer all of them).
//
// The host names a dataset's pushpins after its Name field, so a field named like the
// format's name column (letter case ignored) holds the pushpin's name: it is that
// column, not a second one. A field named like another column the export fills (the
// note, the dataset, the coordinates) may hold something else and keeps its own
// column, "<name>_field".
//
// A field several datasets have is one column, with the type of its first definition,
// or text where they disagree.
GisLayerColumns LayerColumns(const GisFormat& format,
                             const std::vector<QVector<GisColumn>>& dataSetFields);

} // namespace exporting
