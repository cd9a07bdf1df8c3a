#pragma once

#include <QMetaType>
#include <QString>
#include <QVariant>

namespace maphost {

// Chooses the type of a column whose values arrive as text (CSV) so that no value
// changes: a column is a number, date or date-time only when every value in it is one
// and reads back exactly as written. "01234", "+5", "1e400", "12345678901234567890",
// "2024-02-30" and "1.2.3" keep the whole column text.
class ColumnType {
public:
    // Takes one value of the column; an empty value fits every type.
    void add(const QString& text);
    // Integer, real, date, date-time, or text.
    QMetaType::Type type() const;

    // text as a value of type, which add() has accepted for every value of the column.
    static QVariant convert(const QString& text, QMetaType::Type type);

private:
    bool integer_ = true;
    bool real_ = true;
    bool date_ = true;
    bool dateTime_ = true;
    bool seenValue_ = false;
};

} // namespace maphost
