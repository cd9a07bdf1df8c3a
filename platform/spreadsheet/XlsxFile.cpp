#include "XlsxFile.h"

#include "BookModel.h"
#include "SheetModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>
#include <xlsxwriter.h>

namespace spreadsheet {

namespace {

QString errorText(lxw_error error) {
    return QString::fromUtf8(lxw_strerror(error));
}

// Writes one cell; returns the library's status.
lxw_error writeCell(lxw_worksheet* sheet, int row, int column, const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return worksheet_write_number(sheet, row, lxw_col_t(column), value.toDouble(), nullptr);
    case QMetaType::Bool:
        return worksheet_write_boolean(sheet, row, lxw_col_t(column), value.toBool(), nullptr);
    default: {
        const QString text = SheetModel::displayText(value);
        if (text.isEmpty())
            return LXW_NO_ERROR;
        return worksheet_write_string(sheet, row, lxw_col_t(column), text.toUtf8().constData(),
                                      nullptr);
    }
    }
}

QString writeBook(const BookModel& book, const QString& path) {
    lxw_workbook* workbook = workbook_new(QFile::encodeName(path).constData());
    if (!workbook)
        return QStringLiteral("Cannot create the workbook file.");
    QString problem;
    for (int i = 0; i < book.count() && problem.isEmpty(); ++i) {
        const SheetModel* model = book.sheet(i);
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, model->name().toUtf8().constData());
        if (!sheet) {
            problem = QStringLiteral("Cannot add the sheet \"%1\".").arg(model->name());
            break;
        }
        for (int column = 0; column < model->usedColumns(); ++column) {
            const double width = model->columnWidth(column);
            if (width != SheetModel::DefaultColumnWidth)
                worksheet_set_column(sheet, lxw_col_t(column), lxw_col_t(column), width, nullptr);
        }
        for (int row = 0; row < model->usedRows() && problem.isEmpty(); ++row) {
            for (int column = 0; column < model->usedColumns(); ++column) {
                const lxw_error error = writeCell(sheet, row, column, model->cell(row, column));
                if (error != LXW_NO_ERROR) {
                    problem = errorText(error);
                    break;
                }
            }
        }
        if (i == book.activeIndex())
            worksheet_activate(sheet);
    }
    const lxw_error closed = workbook_close(workbook); // also frees the workbook
    if (problem.isEmpty() && closed != LXW_NO_ERROR)
        problem = errorText(closed);
    return problem;
}

} // namespace

QString SaveXlsx(const BookModel& book, const QString& fileName) {
    const QFileInfo target(fileName);
    if (target.isDir())
        return QStringLiteral("\"%1\" is a folder.").arg(fileName);
    QString temporary;
    {
        QTemporaryFile reserve(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                               QStringLiteral(".XXXXXX"));
        reserve.setAutoRemove(false);
        if (!reserve.open())
            return QStringLiteral("Cannot write in the folder \"%1\": %2")
                .arg(QDir::toNativeSeparators(target.absolutePath()), reserve.errorString());
        temporary = reserve.fileName();
    }
    QString problem = writeBook(book, temporary);
    // The temporary file is private to its owner; the saved workbook is an ordinary file.
    QFile::setPermissions(temporary, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                         QFile::ReadOther);
    if (problem.isEmpty() &&
        std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        problem = QStringLiteral("Cannot replace \"%1\".").arg(fileName);
    if (!problem.isEmpty())
        QFile::remove(temporary);
    return problem;
}

} // namespace spreadsheet
