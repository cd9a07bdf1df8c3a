#include "GisColumns.h"

#include "GisFormat.h"

#include <QHash>

namespace exporting {

GisLayerColumns LayerColumns(const GisFormat& format,
                             const std::vector<QVector<GisColumn>>& dataSetFields) {
    GisLayerColumns layer;
    layer.columns = {{format.nameColumn, QMetaType::QString},
                     {format.noteColumn, QMetaType::QString}};
    if (format.layout == GisFormat::Layout::OneLayer)
        layer.columns.push_back({GisDataSetColumn, QMetaType::QString});
    const QStringList own = format.ownColumns();
    QHash<QString, int> columnOf; // by the column's name
    for (const QVector<GisColumn>& fields : dataSetFields) {
        std::vector<int>& columns = layer.fieldColumns.emplace_back();
        // Two fields of one name in one dataset stay two columns (the writer numbers
        // the second).
        const int first = int(layer.columns.size());
        for (const GisColumn& field : fields) {
            if (field.name.compare(format.nameColumn, Qt::CaseInsensitive) == 0) {
                columns.push_back(-1);
                continue;
            }
            const QString name = own.contains(field.name, Qt::CaseInsensitive)
                                     ? field.name + QStringLiteral("_field")
                                     : field.name;
            const auto known = columnOf.constFind(name);
            if (known != columnOf.constEnd() && *known < first) {
                GisColumn& column = layer.columns[*known];
                if (column.type != field.type)
                    column.type = QMetaType::QString;
                columns.push_back(*known);
                continue;
            }
            columnOf.insert(name, int(layer.columns.size()));
            columns.push_back(int(layer.columns.size()));
            layer.columns.push_back({name, field.type});
        }
    }
    return layer;
}

} // namespace exporting
