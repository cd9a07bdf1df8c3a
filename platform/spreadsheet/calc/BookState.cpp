#include "BookState.h"

#include "SheetState.h"
#include "UnoSupport.h"

#include <QRegularExpression>
#include <algorithm>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/util/NumberFormat.hpp>
#include <com/sun/star/util/XNumberFormatTypes.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>

using namespace css;

namespace spreadsheet::calc {

namespace {

uno::Reference<sheet::XSpreadsheetView>
viewOf(const uno::Reference<sheet::XSpreadsheetDocument>& document) {
    const uno::Reference<frame::XModel> model(document, uno::UNO_QUERY);
    return uno::Reference<sheet::XSpreadsheetView>(
        model.is() ? model->getCurrentController() : nullptr, uno::UNO_QUERY);
}

} // namespace

BookState::BookState(uno::Reference<sheet::XSpreadsheetDocument> document)
    : document_(std::move(document)) {}

BookState::~BookState() {
    try {
        flushAll();
        finishBackground();
    } catch (const std::exception&) {
        // Calc is gone or refused: what it already has stays there.
    }
}

std::shared_ptr<SheetState> BookState::stateOf(const uno::Reference<sheet::XSpreadsheet>& sheet) {
    for (const auto& state : sheets_)
        if (state->is(sheet))
            return state;
    std::promise<uno::Reference<sheet::XSpreadsheet>> known;
    known.set_value(sheet);
    sheets_.push_back(std::make_shared<SheetState>(*this, known.get_future().share(), false));
    return sheets_.back();
}

namespace {

int32_t activeIndexOf(const uno::Reference<sheet::XSpreadsheetView>& view) {
    return uno::Reference<sheet::XCellRangeAddressable>(view->getActiveSheet(),
                                                        uno::UNO_QUERY_THROW)
        ->getRangeAddress()
        .Sheet;
}

} // namespace

std::shared_ptr<SheetState> BookState::addSheet() {
    if (!calcView_ || !calcSheetIndex_.is())
        unoCall(
            [this] {
                view();
                sheetIndex();
            },
            Order::Alongside);
    auto added = std::make_shared<std::promise<uno::Reference<sheet::XSpreadsheet>>>();
    // Without a view Calc keeps no active sheet: the new one takes the position the
    // adapter holds as active.
    changeSheets([sheets = calcSheets_, index = calcSheetIndex_, view = *calcView_,
                  position = active_, added]() mutable {
        try {
            const int32_t count = index->getCount();
            rtl::OUString name;
            for (int32_t number = count + 1; name.isEmpty(); ++number) {
                const rtl::OUString candidate = toOUString(QStringLiteral("Sheet%1").arg(number));
                if (!sheets->hasByName(candidate))
                    name = candidate;
            }
            if (view.is())
                position = activeIndexOf(view);
            sheets->insertNewByName(name, sal_Int16(position));
            const uno::Reference<sheet::XSpreadsheet> sheet(sheets->getByName(name),
                                                            uno::UNO_QUERY_THROW);
            if (view.is())
                view->setActiveSheet(sheet);
            added->set_value(sheet);
        } catch (...) {
            added->set_exception(std::current_exception());
            throw;
        }
    });
    sheets_.push_back(std::make_shared<SheetState>(*this, added->get_future().share(), true));
    return sheets_.back();
}

void BookState::changeSheets(std::function<void()> change) {
    auto done = std::make_shared<std::promise<void>>();
    unoCallInBackground([before = std::exchange(lastChange_, done->get_future().share()), done,
                         change = std::move(change)] {
        // In the order asked for; a change that failed is reported by its own call.
        if (before.valid())
            before.wait();
        try {
            change();
        } catch (...) {
            done->set_value();
            throw;
        }
        done->set_value();
    });
}

bool BookState::surelyAccepted(const QString& name) {
    // The names of new sheets, by the adapter and by Calc in English.
    static const QRegularExpression newSheet(QStringLiteral("^sheet\\d+$"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (name.isEmpty() || name.startsWith('\'') || name.endsWith('\'') ||
        newSheet.match(name).hasMatch())
        return false;
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control || QStringView(u":\\/?*[]").contains(c))
            return false;
    if (!names_)
        names_ = unoCall(
            [this] {
                QStringList names;
                for (const rtl::OUString& known : sheets()->getElementNames())
                    names.append(toQString(known));
                return names;
            },
            Order::Alongside);
    return !names_->contains(name, Qt::CaseInsensitive);
}

void BookState::noteName(const QString& name) {
    if (names_)
        names_->append(name);
}

void BookState::forget(const SheetState* state) {
    std::erase_if(sheets_, [state](const auto& entry) { return entry.get() == state; });
}

void BookState::flushOthers(const SheetState* keep) {
    for (const auto& state : sheets_)
        if (state.get() != keep)
            state->flush();
}

void BookState::flushAll() {
    for (const auto& state : sheets_)
        state->flush();
}

const uno::Reference<sheet::XSpreadsheets>& BookState::sheets() {
    if (!calcSheets_.is())
        calcSheets_ = document_->getSheets();
    return calcSheets_;
}

const uno::Reference<container::XIndexAccess>& BookState::sheetIndex() {
    if (!calcSheetIndex_.is())
        calcSheetIndex_.set(sheets(), uno::UNO_QUERY_THROW);
    return calcSheetIndex_;
}

const uno::Reference<sheet::XSpreadsheetView>& BookState::view() {
    if (!calcView_)
        calcView_ = viewOf(document_);
    return *calcView_;
}

int32_t BookState::formatKey(CellFormat format) {
    const auto known = formatKeys_.find(format);
    if (known != formatKeys_.end())
        return known->second;
    const int32_t key = unoCall(
        [&]() -> int32_t {
            const auto formats =
                uno::Reference<util::XNumberFormatsSupplier>(document_, uno::UNO_QUERY_THROW)
                    ->getNumberFormats();
            const lang::Locale locale("en", "US", "");
            if (format == CellFormat::Boolean)
                return uno::Reference<util::XNumberFormatTypes>(formats, uno::UNO_QUERY_THROW)
                    ->getStandardFormat(util::NumberFormat::LOGICAL, locale);
            // ISO 8601: read the same everywhere.
            const rtl::OUString code = format == CellFormat::Date ? rtl::OUString("YYYY-MM-DD")
                                       : format == CellFormat::Time
                                           ? rtl::OUString("HH:MM:SS")
                                           : rtl::OUString("YYYY-MM-DD HH:MM:SS");
            const sal_Int32 existing = formats->queryKey(code, locale, false);
            return existing >= 0 ? existing : formats->addNew(code, locale);
        },
        Order::Alongside);
    formatKeys_[format] = key;
    return key;
}

std::pair<QString, double> BookState::cellFont() {
    if (font_)
        return *font_;
    font_ = unoCall(
        [&] {
            const uno::Reference<sheet::XSpreadsheet> first(sheetIndex()->getByIndex(0),
                                                            uno::UNO_QUERY_THROW);
            const uno::Reference<beans::XPropertySet> cell(first->getCellByPosition(0, 0),
                                                           uno::UNO_QUERY_THROW);
            rtl::OUString family;
            float points = 10;
            cell->getPropertyValue("CharFontName") >>= family;
            cell->getPropertyValue("CharHeight") >>= points;
            return std::pair<QString, double>(toQString(family), points);
        },
        Order::Alongside);
    return *font_;
}

int32_t BookState::sheetExtent(bool rows) {
    int32_t& known = rows ? rows_ : columns_;
    if (known == 0)
        known = unoCall(
            [&] {
                const uno::Reference<table::XColumnRowRange> range(sheetIndex()->getByIndex(0),
                                                                   uno::UNO_QUERY_THROW);
                return rows ? range->getRows()->getCount() : range->getColumns()->getCount();
            },
            Order::Alongside);
    return known;
}

void BookState::activate(const uno::Reference<sheet::XSpreadsheet>& sheet, int32_t index) {
    unoCall(
        [&] {
            if (const auto& view = this->view(); view.is())
                view->setActiveSheet(sheet);
        },
        Order::Alongside);
    active_ = index;
}

} // namespace spreadsheet::calc
