#pragma once

#include "spreadsheet/Application.h"

#include <memory>
#include <vector>

namespace spreadsheet::calc {

class BookState;

// "Excel.Application" on LibreOffice Calc: a client of Locastra's own Calc process
// (started on first use). Its workbooks are new Calc documents; once visible they
// belong to the user and stay open after every client reference is gone.
class CalcApplication : public Application, public std::enable_shared_from_this<CalcApplication> {
public:
    // Connects to Calc, starting it when needed; throws automation::Error when it cannot.
    CalcApplication();
    // An instance that started Calc and opened nothing ends that Calc again, unless
    // something else is open in it by then.
    ~CalcApplication() override;

    bool Visible() override { return visible_; }
    void SetVisible(bool visible) override;
    WorkbooksPtr Workbooks() override;

    // Used by the workbook collection.
    std::shared_ptr<BookState> addBook();
    const std::vector<std::shared_ptr<BookState>>& books() const { return books_; }

private:
    bool visible_ = false;
    bool startedCalc_ = false;
    std::vector<std::shared_ptr<BookState>> books_;
};

} // namespace spreadsheet::calc
