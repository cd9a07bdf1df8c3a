#pragma once

#include "Application.h"

#include <QPointer>
#include <memory>
#include <vector>

namespace spreadsheet {

class BookModel;
class WorkbookWindow;

// One running spreadsheet application: its workbooks and their windows.
class StandInApplication : public Application,
                           public std::enable_shared_from_this<StandInApplication> {
public:
    StandInApplication();
    ~StandInApplication() override;

    bool Visible() override { return visible_; }
    void SetVisible(bool visible) override;
    WorkbooksPtr Workbooks() override;

    // Used by the workbook objects.
    BookModel* addBook();
    int bookCount() const { return int(books_.size()); }
    BookModel* book(int index) const;
    // Closes the windows and forgets the instance once no window is open.
    void closeWindows();

private:
    // closing: the window whose close is under way (still visible), or none.
    void windowClosed(const WorkbookWindow* closing);

    bool visible_ = false;
    int booksMade_ = 0;
    std::vector<std::unique_ptr<BookModel>> books_;
    std::vector<std::unique_ptr<WorkbookWindow>> windows_; // destroyed before the books
};

} // namespace spreadsheet
