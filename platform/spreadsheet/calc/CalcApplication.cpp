#include "CalcApplication.h"

#include "BookState.h"
#include "CalcObjects.h"
#include "Office.h"
#include "UnoSupport.h"

#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>

using namespace css;

namespace spreadsheet::calc {

namespace {

// Shows a document's window and brings it to the front.
void showWindow(const uno::Reference<sheet::XSpreadsheetDocument>& document) {
    const uno::Reference<frame::XModel> model(document, uno::UNO_QUERY_THROW);
    const auto controller = model->getCurrentController();
    if (!controller.is())
        return;
    const auto window = controller->getFrame()->getContainerWindow();
    window->setVisible(true);
    if (const uno::Reference<awt::XTopWindow> top{window, uno::UNO_QUERY}; top.is())
        top->toFront();
}

} // namespace

CalcApplication::CalcApplication() : startedCalc_(Office::instance().connect()) {}

CalcApplication::~CalcApplication() {
    books_.clear(); // sends what is pending
    if (startedCalc_)
        Office::instance().endIfIdle();
}

void CalcApplication::SetVisible(bool visible) {
    visible_ = visible;
    if (!visible || Office::instance().options().headless)
        return;
    for (const auto& book : books_) {
        Office::instance().noteShown();
        unoCall([&] { showWindow(book->document()); });
    }
}

WorkbooksPtr CalcApplication::Workbooks() {
    return std::make_shared<CalcWorkbooks>(shared_from_this());
}

std::shared_ptr<BookState> CalcApplication::addBook() {
    Office& office = Office::instance();
    office.connect();
    const bool show = visible_ && !office.options().headless;
    auto document = unoCall([&] {
        // A headless Calc must get hidden documents; a visible one shows them at once.
        uno::Sequence<beans::PropertyValue> arguments(1);
        arguments.getArray()[0].Name = "Hidden";
        arguments.getArray()[0].Value <<= !show;
        const uno::Reference<frame::XComponentLoader> loader(office.desktop(),
                                                             uno::UNO_QUERY_THROW);
        const uno::Reference<sheet::XSpreadsheetDocument> created(
            loader->loadComponentFromURL(toOUString(office.options().spreadsheetFactory), "_blank",
                                         0, arguments),
            uno::UNO_QUERY_THROW);
        if (show)
            showWindow(created);
        return created;
    });
    if (show)
        office.noteShown();
    books_.push_back(std::make_shared<BookState>(document));
    return books_.back();
}

} // namespace spreadsheet::calc
