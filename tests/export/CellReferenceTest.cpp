#include "spreadsheet/CellReference.h"
#include "automation/Error.h"

#include <gtest/gtest.h>

namespace {

std::pair<int, int> parsed(const char* reference, int rows = 1048576, int columns = 16384) {
    int row = -1, column = -1;
    spreadsheet::ParseA1(QString::fromUtf8(reference), row, column, rows, columns);
    return {row, column};
}

TEST(CellReference, ReadsA1NotationWithAbsoluteMarksAndEitherCase) {
    EXPECT_EQ(parsed("A1"), std::make_pair(0, 0));
    EXPECT_EQ(parsed(" $H$1 "), std::make_pair(0, 7));
    EXPECT_EQ(parsed("ab12"), std::make_pair(11, 27));
    EXPECT_EQ(parsed("XFD1048576"), std::make_pair(1048575, 16383));
}

TEST(CellReference, RefusesWhatIsNoCellOfTheSheet) {
    for (const char* wrong :
         {"", "A", "1", "A0", "$$A1", "A1B", "ABCD1", "A12345678", "A-1", "XFE1", "A1048577", "Ä1"})
        EXPECT_THROW(parsed(wrong), automation::Error) << wrong;
}

} // namespace
