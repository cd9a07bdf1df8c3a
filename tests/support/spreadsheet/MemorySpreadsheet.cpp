#include "MemorySpreadsheet.h"

#include "automation/ClassRegistry.h"
#include "automation/Error.h"
#include "qtcompat/QtCompat.h"
#include "spreadsheet/CellReference.h"
#include "spreadsheet/Range.h"
#include "spreadsheet/Sheets.h"
#include "spreadsheet/Workbook.h"
#include "spreadsheet/Workbooks.h"
#include "spreadsheet/Worksheet.h"

#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <memory>

namespace memsheet {

namespace {

[[noreturn]] void fail(const QString& description) {
    throw automation::Error(automation::errors::InvalidArgument, description);
}

struct SheetData {
    QString name;
    std::map<std::pair<int, int>, QVariant> cells; // (row, column), 0-based
    std::map<int, double> widths;                  // fitted columns, in characters
    std::map<int, qsizetype> longest;              // per column, the longest text written
    bool deleted = false;
};
using SheetRef = std::shared_ptr<SheetData>;

struct BookData {
    QString name;
    std::vector<SheetRef> sheets;
    int active = 0;
    int lastNumber = 0;
    int32_t rowCount = 0;
    int32_t columnCount = 0;

    int indexOf(const QString& name) const {
        for (size_t i = 0; i < sheets.size(); ++i)
            if (sheets[i]->name.compare(name, Qt::CaseInsensitive) == 0)
                return int(i);
        return -1;
    }
    SheetRef add() {
        auto sheet = std::make_shared<SheetData>();
        while (indexOf(QStringLiteral("Sheet%1").arg(++lastNumber)) >= 0) {
        }
        sheet->name = QStringLiteral("Sheet%1").arg(lastNumber);
        sheets.insert(sheets.begin() + active, sheet);
        return sheet;
    }
};
using BookRef = std::shared_ptr<BookData>;

SheetRef alive(const SheetRef& sheet) {
    if (sheet->deleted)
        throw automation::Error(424, QStringLiteral("The sheet has been deleted."));
    return sheet;
}

class MemoryRange : public spreadsheet::Range {
public:
    MemoryRange(SheetRef sheet, int top, int left, int bottom, int right)
        : sheet_(std::move(sheet)), top_(top), left_(left), bottom_(bottom), right_(right) {}
    QVariant Value() override {
        const auto& cells = alive(sheet_)->cells;
        const auto it = cells.find({top_, left_});
        return it == cells.end() ? QVariant() : it->second;
    }
    void SetValue(const QVariant& value) override {
        auto& cells = alive(sheet_)->cells;
        if (!value.isValid()) {
            std::erase_if(cells, [this](const auto& cell) {
                return cell.first.first >= top_ && cell.first.first <= bottom_ &&
                       cell.first.second >= left_ && cell.first.second <= right_;
            });
            return;
        }
        const QString text = qtcompat::typeId(value) == QMetaType::Double
                                 ? QString::number(value.toDouble(), 'g', 15)
                                 : value.toString();
        for (int column = left_; column <= right_; ++column) {
            qsizetype& longest = sheet_->longest[column];
            longest = std::max<qsizetype>(longest, text.size());
            for (int row = top_; row <= bottom_; ++row)
                cells[{row, column}] = value;
        }
    }
    spreadsheet::RangePtr EntireColumn() override {
        return std::make_shared<MemoryRange>(sheet_, 0, left_, -1, right_);
    }
    // Fits each column to the longest text written into it (numbers as shown, with
    // 15 significant digits).
    void AutoFit() override {
        auto sheet = alive(sheet_);
        if (bottom_ != -1)
            fail(QStringLiteral("AutoFit applies to entire columns."));
        for (const auto& [column, length] : sheet->longest)
            if (column >= left_ && column <= right_)
                sheet->widths[column] = double(length) + 0.7;
    }
    double ColumnWidth() override {
        const auto& widths = alive(sheet_)->widths;
        const auto it = widths.find(left_);
        return it == widths.end() ? 8.43 : it->second;
    }

private:
    SheetRef sheet_;
    int top_, left_, bottom_, right_; // bottom -1: entire columns
};

class MemoryWorksheet : public spreadsheet::Worksheet {
public:
    MemoryWorksheet(BookRef book, SheetRef sheet) : book_(std::move(book)), sheet_(sheet) {}
    QString Name() override { return alive(sheet_)->name; }
    void SetName(const QString& name) override {
        static const QRegularExpression forbidden(QStringLiteral("[:\\\\/?*\\[\\]]"));
        alive(sheet_);
        const int other = book_->indexOf(name);
        if (name.isEmpty() || name.size() > 31 || name.contains(forbidden) ||
            name.startsWith(u'\'') || name.endsWith(u'\'') ||
            (other >= 0 && book_->sheets[other] != sheet_))
            fail(QStringLiteral("The sheet name \"%1\" is not allowed.").arg(name));
        sheet_->name = name;
    }
    spreadsheet::RangePtr Cells(int32_t row, int32_t column) override {
        alive(sheet_);
        if (row < 1 || row > book_->rowCount || column < 1 || column > book_->columnCount)
            fail(QStringLiteral("Cell (%1, %2) is outside the sheet.").arg(row).arg(column));
        return std::make_shared<MemoryRange>(sheet_, row - 1, column - 1, row - 1, column - 1);
    }
    int32_t RowCount() override { return book_->rowCount; }
    int32_t ColumnCount() override { return book_->columnCount; }
    spreadsheet::RangePtr Range(const QString& cell1, const QString& cell2) override {
        int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
        spreadsheet::ParseA1(cell1, r1, c1, book_->rowCount, book_->columnCount);
        spreadsheet::ParseA1(cell2, r2, c2, book_->rowCount, book_->columnCount);
        return std::make_shared<MemoryRange>(alive(sheet_), std::min(r1, r2), std::min(c1, c2),
                                             std::max(r1, r2), std::max(c1, c2));
    }
    void Delete() override {
        alive(sheet_);
        if (book_->sheets.size() < 2)
            fail(QStringLiteral("A workbook must keep at least one sheet."));
        const int index = book_->indexOf(sheet_->name);
        book_->sheets.erase(book_->sheets.begin() + index);
        book_->active = std::min(book_->active, int(book_->sheets.size()) - 1);
        sheet_->deleted = true;
    }
    void Activate() override { book_->active = book_->indexOf(alive(sheet_)->name); }

private:
    BookRef book_;
    SheetRef sheet_;
};

class MemorySheets : public spreadsheet::Sheets {
public:
    explicit MemorySheets(BookRef book) : book_(std::move(book)) {}
    spreadsheet::WorksheetPtr Add() override {
        return std::make_shared<MemoryWorksheet>(book_, book_->add());
    }
    int32_t Count() override { return int32_t(book_->sheets.size()); }
    spreadsheet::WorksheetPtr Item(int32_t index) override {
        if (index < 1 || index > Count())
            throw automation::Error(automation::errors::ItemNotFound,
                                    QStringLiteral("Subscript out of range"));
        return std::make_shared<MemoryWorksheet>(book_, book_->sheets[index - 1]);
    }
    spreadsheet::WorksheetPtr Item(const QString& name) override {
        return Item(book_->indexOf(name) + 1);
    }

private:
    BookRef book_;
};

class MemoryWorkbook : public spreadsheet::Workbook {
public:
    explicit MemoryWorkbook(BookRef book) : book_(std::move(book)) {}
    QString Name() override { return book_->name; }
    spreadsheet::SheetsPtr Sheets() override { return std::make_shared<MemorySheets>(book_); }
    spreadsheet::SheetsPtr Worksheets() override { return Sheets(); }

private:
    BookRef book_;
};

std::vector<spreadsheet::ApplicationPtr>& visible() {
    static std::vector<spreadsheet::ApplicationPtr> instances;
    return instances;
}

class MemoryApplication : public spreadsheet::Application,
                          public std::enable_shared_from_this<MemoryApplication> {
public:
    MemoryApplication(int32_t rowCount, int32_t columnCount)
        : rowCount_(rowCount), columnCount_(columnCount) {}
    bool Visible() override { return visible_; }
    void SetVisible(bool on) override {
        visible_ = on;
        auto& list = visible();
        std::erase(list, shared_from_this());
        if (on)
            list.push_back(shared_from_this());
    }
    spreadsheet::WorkbooksPtr Workbooks() override;

    std::vector<BookRef> books;
    int32_t rowCount_;
    int32_t columnCount_;

private:
    bool visible_ = false;
};

class MemoryWorkbooks : public spreadsheet::Workbooks {
public:
    explicit MemoryWorkbooks(std::shared_ptr<MemoryApplication> app) : app_(std::move(app)) {}
    spreadsheet::WorkbookPtr Add() override {
        auto book = std::make_shared<BookData>();
        book->name = QStringLiteral("Book%1").arg(app_->books.size() + 1);
        book->rowCount = app_->rowCount_;
        book->columnCount = app_->columnCount_;
        for (int i = 0; i < 3; ++i) {
            book->active = int(book->sheets.size());
            book->add();
        }
        book->active = 0;
        app_->books.push_back(book);
        return std::make_shared<MemoryWorkbook>(book);
    }
    int32_t Count() override { return int32_t(app_->books.size()); }
    spreadsheet::WorkbookPtr Item(int32_t index) override {
        if (index < 1 || index > Count())
            throw automation::Error(automation::errors::ItemNotFound,
                                    QStringLiteral("Subscript out of range"));
        return std::make_shared<MemoryWorkbook>(app_->books[index - 1]);
    }

private:
    std::shared_ptr<MemoryApplication> app_;
};

spreadsheet::WorkbooksPtr MemoryApplication::Workbooks() {
    return std::make_shared<MemoryWorkbooks>(shared_from_this());
}

} // namespace

void Register(int32_t rowCount, int32_t columnCount) {
    automation::RegisterClassFactory(ClassName, [rowCount, columnCount] {
        return std::make_shared<MemoryApplication>(rowCount, columnCount);
    });
}

std::vector<spreadsheet::ApplicationPtr> VisibleApplications() {
    return visible();
}

void Forget() {
    visible().clear();
}

} // namespace memsheet
