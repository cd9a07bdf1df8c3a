#pragma once

#include <QObject>
#include <QString>
#include <QVector>

namespace spreadsheet {

class SheetModel;

// The sheets of one workbook in tab order, and which one is active. Owns its sheets.
class BookModel : public QObject {
    Q_OBJECT
public:
    explicit BookModel(QString name, QObject* parent = nullptr);
    ~BookModel() override;

    QString name() const { return name_; }
    int count() const { return int(sheets_.size()); }
    SheetModel* sheet(int index) const;
    int indexOf(const SheetModel* sheet) const;
    int indexOf(const QString& name) const; // ignoring case; -1 when none
    int activeIndex() const { return active_; }
    void setActive(int index);

    // Inserts a sheet before the active one, named "SheetN" with the lowest N above
    // every number used so far, and makes it active.
    SheetModel* addSheet();
    // A new workbook's sheets: "Sheet1" to "Sheet<count>" left to right, the first active.
    void addDefaultSheets(int count);
    // Renames a sheet; returns the reason when the name is refused.
    QString rename(SheetModel* sheet, const QString& name);
    // Removes and destroys a sheet; returns the reason when refused (the last sheet).
    QString remove(SheetModel* sheet);

    // Why a sheet name is refused, or empty when it is acceptable as such.
    static QString nameProblem(const QString& name);

signals:
    void sheetInserted(int index);
    void sheetAboutToBeRemoved(int index);
    void activeChanged(int index);

private:
    QString name_;
    QVector<SheetModel*> sheets_;
    int active_ = -1;
    int lastNumber_ = 0;
};

} // namespace spreadsheet
