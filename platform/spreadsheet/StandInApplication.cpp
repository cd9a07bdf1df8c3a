#include "StandInApplication.h"

#include "BookModel.h"
#include "StandIn.h"
#include "StandInObjects.h"
#include "WorkbookWindow.h"
#include "automation/ClassRegistry.h"

#include <QTimer>
#include <algorithm>

namespace spreadsheet {

namespace {

std::vector<std::shared_ptr<StandInApplication>>& running() {
    static std::vector<std::shared_ptr<StandInApplication>> instances;
    return instances;
}

void forget(const StandInApplication* app) {
    auto& list = running();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [app](const auto& entry) { return entry.get() == app; }),
               list.end());
}

} // namespace

StandInApplication::StandInApplication() = default;
StandInApplication::~StandInApplication() = default;

void StandInApplication::SetVisible(bool visible) {
    visible_ = visible;
    if (visible) {
        if (std::find(running().begin(), running().end(), shared_from_this()) == running().end())
            running().push_back(shared_from_this());
    } else {
        forget(this);
    }
    for (auto& window : windows_)
        window->setVisible(visible);
}

WorkbooksPtr StandInApplication::Workbooks() {
    return std::make_shared<StandInWorkbooks>(shared_from_this());
}

BookModel* StandInApplication::addBook() {
    auto book = std::make_unique<BookModel>(QStringLiteral("Book%1").arg(++booksMade_));
    book->addDefaultSheets(3);
    auto window = std::make_unique<WorkbookWindow>(book.get());
    WorkbookWindow* closing = window.get();
    QObject::connect(closing, &WorkbookWindow::closed, closing,
                     [this, closing] { windowClosed(closing); });
    if (visible_)
        window->show();
    books_.push_back(std::move(book));
    windows_.push_back(std::move(window));
    return books_.back().get();
}

BookModel* StandInApplication::book(int index) const {
    return index >= 0 && index < int(books_.size()) ? books_[index].get() : nullptr;
}

void StandInApplication::closeWindows() {
    for (auto& window : windows_)
        window->close();
    windowClosed(nullptr);
}

void StandInApplication::windowClosed(const WorkbookWindow* closing) {
    const bool anyOpen =
        std::any_of(windows_.begin(), windows_.end(), [closing](const auto& window) {
            return window.get() != closing && window->isVisible();
        });
    if (anyOpen)
        return;
    visible_ = false;
    // Let go of the instance once the close event has been handled.
    std::weak_ptr<StandInApplication> self = weak_from_this();
    QTimer::singleShot(0, [self] {
        if (auto app = self.lock())
            forget(app.get());
    });
}

ApplicationPtr CreateApplication() {
    return std::make_shared<StandInApplication>();
}

void RegisterStandIn() {
    automation::RegisterClassFactory(ClassName, [] { return CreateApplication(); });
}

std::vector<ApplicationPtr> VisibleApplications() {
    return {running().begin(), running().end()};
}

void CloseVisibleApplications() {
    const auto instances = running();
    for (const auto& app : instances)
        app->closeWindows();
    running().clear();
}

} // namespace spreadsheet
