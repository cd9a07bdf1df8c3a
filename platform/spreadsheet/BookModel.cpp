#include "BookModel.h"

#include "SheetModel.h"

namespace spreadsheet {

BookModel::BookModel(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {}

BookModel::~BookModel() = default; // sheets are QObject children

SheetModel* BookModel::sheet(int index) const {
    return index >= 0 && index < sheets_.size() ? sheets_[index] : nullptr;
}

int BookModel::indexOf(const SheetModel* sheet) const {
    return int(sheets_.indexOf(const_cast<SheetModel*>(sheet)));
}

int BookModel::indexOf(const QString& name) const {
    for (int i = 0; i < sheets_.size(); ++i) {
        if (sheets_[i]->name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void BookModel::setActive(int index) {
    if (index < 0 || index >= sheets_.size() || index == active_)
        return;
    active_ = index;
    emit activeChanged(index);
}

SheetModel* BookModel::addSheet() {
    QString name;
    do
        name = QStringLiteral("Sheet%1").arg(++lastNumber_);
    while (indexOf(name) >= 0);
    auto* sheet = new SheetModel(name, this);
    const int at = active_ < 0 ? int(sheets_.size()) : active_;
    sheets_.insert(at, sheet);
    active_ = -1;
    emit sheetInserted(at);
    setActive(at);
    return sheet;
}

void BookModel::addDefaultSheets(int count) {
    for (int i = 0; i < count; ++i) {
        auto* sheet = new SheetModel(QStringLiteral("Sheet%1").arg(++lastNumber_), this);
        sheets_.append(sheet);
        emit sheetInserted(int(sheets_.size()) - 1);
    }
    setActive(0);
}

QString BookModel::nameProblem(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("A sheet name cannot be empty.");
    if (name.size() > 31)
        return QStringLiteral("A sheet name cannot be longer than 31 characters.");
    static const QString forbidden = QStringLiteral(":\\/?*[]");
    for (QChar c : name) {
        if (forbidden.contains(c))
            return QStringLiteral("A sheet name cannot contain any of : \\ / ? * [ ].");
    }
    if (name.startsWith(u'\'') || name.endsWith(u'\''))
        return QStringLiteral("A sheet name cannot begin or end with an apostrophe.");
    return {};
}

QString BookModel::rename(SheetModel* sheet, const QString& name) {
    QString problem = nameProblem(name);
    const int other = indexOf(name);
    if (problem.isEmpty() && other >= 0 && sheets_[other] != sheet)
        problem = QStringLiteral("Cannot rename a sheet to the same name as another sheet.");
    if (problem.isEmpty())
        sheet->setName(name);
    return problem;
}

QString BookModel::remove(SheetModel* sheet) {
    const int index = indexOf(sheet);
    if (index < 0)
        return QStringLiteral("The sheet no longer exists.");
    if (sheets_.size() == 1)
        return QStringLiteral("A workbook must contain at least one visible worksheet.");
    emit sheetAboutToBeRemoved(index);
    sheets_.removeAt(index);
    delete sheet;
    if (active_ > index || active_ >= sheets_.size())
        --active_;
    else if (active_ == index) {
        active_ = -1;
        setActive(std::min(index, int(sheets_.size()) - 1));
        return {};
    }
    emit activeChanged(active_);
    return {};
}

} // namespace spreadsheet
