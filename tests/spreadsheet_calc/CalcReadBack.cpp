#include "CalcReadBack.h"

#include "spreadsheet/calc/Calc.h"
#include "spreadsheet/calc/Office.h"
#include "spreadsheet/calc/UnoSupport.h"

#include <QElapsedTimer>
#include <QThread>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/util/NumberFormat.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <csignal>

using namespace css;
using spreadsheet::calc::Office;
using spreadsheet::calc::toOUString;
using spreadsheet::calc::toQString;

namespace calctest {

namespace {

QTemporaryDir& profile() {
    static QTemporaryDir dir;
    return dir;
}

} // namespace

const spreadsheet::calc::Options& TestOptions() {
    static const spreadsheet::calc::Options options = [] {
        spreadsheet::calc::Options o;
        o.profileDir = profile().path() + QStringLiteral("/calc");
        o.headless = true;
        return o;
    }();
    return options;
}

void UseTestCalc() {
    spreadsheet::calc::Register(TestOptions());
}

bool WaitUntilGone(pid_t group, int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    while (group > 0 && ::kill(-group, 0) == 0) {
        if (waited.elapsed() > timeoutMs)
            return false;
        QThread::msleep(50);
    }
    return true;
}

void EndTestCalc() {
    UseTestCalc(); // back on the tests' own Calc, whatever a test registered
    Office& office = Office::instance();
    const pid_t group = office.processGroup();
    if (group <= 0 || ::kill(-group, 0) != 0)
        return;
    try {
        office.connect();
        CloseAllDocuments();
        office.desktop()->terminate();
    } catch (const uno::Exception&) {
        // Already going.
    } catch (const std::exception&) {
    }
    office.disconnect();
    if (!WaitUntilGone(group, 10000))
        ::kill(-group, SIGKILL);
}

std::vector<uno::Reference<sheet::XSpreadsheetDocument>> OpenDocuments() {
    std::vector<uno::Reference<sheet::XSpreadsheetDocument>> documents;
    Office::instance().connect();
    const auto components = Office::instance().desktop()->getComponents()->createEnumeration();
    while (components->hasMoreElements()) {
        uno::Reference<sheet::XSpreadsheetDocument> document(components->nextElement(),
                                                             uno::UNO_QUERY);
        if (document.is())
            documents.push_back(document);
    }
    return documents;
}

void CloseAllDocuments() {
    const auto components = Office::instance().desktop()->getComponents()->createEnumeration();
    std::vector<uno::Reference<util::XCloseable>> open;
    while (components->hasMoreElements())
        open.emplace_back(components->nextElement(), uno::UNO_QUERY);
    for (const auto& document : open)
        if (document.is())
            document->close(true);
}

QStringList SheetNames(const uno::Reference<sheet::XSpreadsheetDocument>& document) {
    QStringList names;
    const uno::Reference<container::XIndexAccess> sheets(document->getSheets(), uno::UNO_QUERY);
    for (sal_Int32 i = 0; i < sheets->getCount(); ++i)
        names << toQString(
            uno::Reference<container::XNamed>(sheets->getByIndex(i), uno::UNO_QUERY)->getName());
    return names;
}

uno::Reference<sheet::XSpreadsheet>
Sheet(const uno::Reference<sheet::XSpreadsheetDocument>& document, const QString& name) {
    return uno::Reference<sheet::XSpreadsheet>(document->getSheets()->getByName(toOUString(name)),
                                               uno::UNO_QUERY_THROW);
}

Cell ReadCell(const uno::Reference<sheet::XSpreadsheetDocument>& document, const QString& sheet,
              int row, int column) {
    const auto cell = Sheet(document, sheet)->getCellByPosition(column - 1, row - 1);
    Cell result;
    switch (cell->getType()) {
    case table::CellContentType_EMPTY:
        return result;
    case table::CellContentType_VALUE:
        result.type = Cell::Type::Number;
        break;
    case table::CellContentType_TEXT:
        result.type = Cell::Type::Text;
        break;
    default:
        result.type = Cell::Type::Formula;
    }
    result.number = cell->getValue();
    result.text = toQString(uno::Reference<text::XText>(cell, uno::UNO_QUERY_THROW)->getString());
    sal_Int32 key = 0;
    uno::Reference<beans::XPropertySet>(cell, uno::UNO_QUERY_THROW)
        ->getPropertyValue("NumberFormat") >>= key;
    const auto formats =
        uno::Reference<util::XNumberFormatsSupplier>(document, uno::UNO_QUERY_THROW)
            ->getNumberFormats();
    sal_Int16 type = 0;
    formats->getByKey(key)->getPropertyValue("Type") >>= type;
    result.isDate = (type & util::NumberFormat::DATE) != 0;
    result.isBoolean = (type & util::NumberFormat::LOGICAL) != 0;
    return result;
}

namespace {

// A size property (1/100 mm) of one of a sheet's columns or rows, counted from 1.
template <class Items> int sizeOf(const Items& items, int index, const char* property) {
    sal_Int32 size = 0;
    uno::Reference<beans::XPropertySet>(items->getByIndex(index - 1), uno::UNO_QUERY_THROW)
        ->getPropertyValue(rtl::OUString::createFromAscii(property)) >>= size;
    return size;
}

} // namespace

int ColumnWidth(const uno::Reference<sheet::XSpreadsheet>& sheet, int column) {
    return sizeOf(uno::Reference<table::XColumnRowRange>(sheet, uno::UNO_QUERY_THROW)->getColumns(),
                  column, "Width");
}

int RowHeight(const uno::Reference<sheet::XSpreadsheet>& sheet, int row) {
    return sizeOf(uno::Reference<table::XColumnRowRange>(sheet, uno::UNO_QUERY_THROW)->getRows(),
                  row, "Height");
}

bool HasLocation(const uno::Reference<sheet::XSpreadsheetDocument>& document) {
    return !uno::Reference<frame::XModel>(document, uno::UNO_QUERY_THROW)->getURL().isEmpty();
}

} // namespace calctest
