#include "SpreadsheetTestSupport.h"

#include "automation/Error.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using sheettest::StandInTest;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One member of a zip file, or empty when unzip is missing or fails.
QByteArray zipMember(const QString& zip, const QString& member) {
    QProcess unzip;
    unzip.start("unzip", {"-p", zip, member});
    if (!unzip.waitForFinished(10000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

bool haveUnzip() {
    return !QStandardPaths::findExecutable("unzip").isEmpty();
}

} // namespace

class XlsxSave : public StandInTest {
protected:
    void fill() {
        auto sheet = book_->Worksheets()->Add();
        sheet->SetName("Stores");
        sheet->Cells(1, 1)->SetValue(QStringLiteral("Name"));
        sheet->Cells(1, 3)->SetValue(QStringLiteral("Latitude"));
        sheet->Cells(2, 1)->SetValue(QStringLiteral("Seattle <North> & Co"));
        sheet->Cells(2, 3)->SetValue(47.6097);
        sheet->Range("A1", "H1")->EntireColumn()->AutoFit();
        book_->Sheets()->Item("Sheet2")->Delete();
    }
    QTemporaryDir dir_;
};

TEST_F(XlsxSave, TheSavedFileHoldsTheSheetsInOrderWithNumbersAsNumbers) {
    fill();
    const QString file = dir_.filePath("book.xlsx");
    book_->SaveAs(file);
    const QByteArray bytes = readAll(file);
    ASSERT_GT(bytes.size(), 100);
    EXPECT_TRUE(bytes.startsWith("PK"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"book.xlsx"}));
    if (!haveUnzip())
        GTEST_SKIP() << "unzip is not installed: contents not checked";

    const QByteArray workbook = zipMember(file, "xl/workbook.xml");
    const qsizetype stores = workbook.indexOf("name=\"Stores\"");
    const qsizetype sheet1 = workbook.indexOf("name=\"Sheet1\"");
    const qsizetype sheet3 = workbook.indexOf("name=\"Sheet3\"");
    EXPECT_GE(stores, 0);
    EXPECT_LT(stores, sheet1);
    EXPECT_LT(sheet1, sheet3);
    EXPECT_EQ(workbook.indexOf("name=\"Sheet2\""), -1);

    const QByteArray sheet = zipMember(file, "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(sheet.contains("<c r=\"C2\"><v>47.6097</v></c>")) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("<col ")) << "AutoFit widths are kept";
    const QByteArray strings = zipMember(file, "xl/sharedStrings.xml");
    EXPECT_TRUE(strings.contains("Seattle &lt;North&gt; &amp; Co"));
    EXPECT_TRUE(strings.contains("Latitude"));
}

TEST_F(XlsxSave, AFailedSaveSaysSoAndKeepsTheOldFile) {
    fill();
    const QString file = dir_.filePath("book.xlsx");
    book_->SaveAs(file);
    const QByteArray old = readAll(file);

    // A cell text longer than a workbook cell can hold makes the writer fail.
    book_->Sheets()->Item(1)->Cells(5, 1)->SetValue(QString(40000, u'x'));
    EXPECT_THROW(book_->SaveAs(file), automation::Error);
    EXPECT_EQ(readAll(file), old);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"book.xlsx"}));

    // A folder that does not exist, and a folder in place of the file.
    EXPECT_THROW(book_->SaveAs(dir_.filePath("missing/book.xlsx")), automation::Error);
    QDir(dir_.path()).mkdir("folder.xlsx");
    EXPECT_THROW(book_->SaveAs(dir_.filePath("folder.xlsx")), automation::Error);
}
