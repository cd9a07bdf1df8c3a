#pragma once

#include "automation/ClassRegistry.h"
#include "spreadsheet/Application.h"
#include "spreadsheet/Range.h"
#include "spreadsheet/Sheets.h"
#include "spreadsheet/StandIn.h"
#include "spreadsheet/Workbook.h"
#include "spreadsheet/Workbooks.h"
#include "spreadsheet/Worksheet.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace sheettest {

// Sheet names of a workbook in tab order.
inline QStringList sheetNames(const spreadsheet::WorkbookPtr& book) {
    QStringList names;
    auto sheets = book->Sheets();
    for (int32_t i = 1; i <= sheets->Count(); ++i)
        names << sheets->Item(i)->Name();
    return names;
}

// A fresh stand-in with one workbook; every instance made visible is closed after
// the test.
class StandInTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = spreadsheet::CreateApplication();
        book_ = app_->Workbooks()->Add();
    }
    void TearDown() override {
        book_.reset();
        app_.reset();
        spreadsheet::CloseVisibleApplications();
    }

    spreadsheet::ApplicationPtr app_;
    spreadsheet::WorkbookPtr book_;
};

} // namespace sheettest
