#include "desktop/testing/RecordingDesktop.h"

#include <QTextDocument>
#include <gtest/gtest.h>

using namespace desktop;
using Kind = RecordedCall::Kind;

namespace {

TEST(RecordingDesktop, RecordsEveryCallInOrderWithItsDetails) {
    RecordingDesktop d;
    d.messageBox("Could not open", "Error", Icon::Critical, Buttons::Ok);
    FileDialogRequest request{"", "/home", "Comma Delimited (*.csv)", 1, "", false};
    d.fileDialog(request);
    d.shellOpen("http://example.com");
    d.openInTextEditor("/tmp/a b.csv");
    d.setClipboardText("copied");
    d.readSetting("Locastra", "Settings", "DisplayOnConnect", "0");
    d.showHelp("/opt/locastra.chm", "intro");

    const auto& calls = d.calls();
    ASSERT_EQ(calls.size(), 7) << d.log().toStdString();
    EXPECT_EQ(calls[0].kind, Kind::MessageBox);
    EXPECT_EQ(calls[0].text, "Could not open");
    EXPECT_EQ(calls[0].title, "Error");
    EXPECT_EQ(calls[0].icon, Icon::Critical);
    EXPECT_EQ(calls[0].buttons, Buttons::Ok);
    EXPECT_EQ(calls[1].kind, Kind::FileDialog);
    EXPECT_EQ(calls[1].fileDialog.initialFolder, "/home");
    EXPECT_EQ(calls[1].fileDialog.filter, "Comma Delimited (*.csv)");
    EXPECT_EQ(calls[2].kind, Kind::ShellOpen);
    EXPECT_EQ(calls[2].text, "http://example.com");
    EXPECT_EQ(calls[3].kind, Kind::OpenInTextEditor);
    EXPECT_EQ(calls[3].text, "/tmp/a b.csv");
    EXPECT_EQ(calls[4].kind, Kind::SetClipboardText);
    EXPECT_EQ(calls[5].kind, Kind::ReadSetting);
    EXPECT_EQ(calls[5].key, "DisplayOnConnect");
    EXPECT_EQ(calls[5].defaultValue, "0");
    EXPECT_EQ(calls[6].kind, Kind::ShowHelp);
    EXPECT_EQ(calls[6].topic, "intro");
    EXPECT_EQ(d.count(Kind::MessageBox), 1);
    EXPECT_TRUE(d.log().startsWith("MessageBox 'Could not open' title 'Error'\n"));

    d.clearCalls();
    EXPECT_TRUE(d.calls().isEmpty());
}

TEST(RecordingDesktop, MessageBoxesAnswerFromTheQueueThenTheirDefaultButton) {
    RecordingDesktop d;
    d.queueMessageBoxAnswer(Button::No);
    d.queueMessageBoxAnswer(Button::Cancel);
    EXPECT_EQ(d.messageBox("a", "t", Icon::Question, Buttons::YesNo), Button::No);
    EXPECT_EQ(d.pendingMessageBoxAnswers(), 1);
    EXPECT_EQ(d.messageBox("b", "t", Icon::None, Buttons::OkCancel), Button::Cancel);
    EXPECT_EQ(d.messageBox("c", "t", Icon::None, Buttons::YesNoCancel), Button::Yes);
    EXPECT_EQ(d.messageBox("d", "t", Icon::None, Buttons::RetryCancel), Button::Retry);
    EXPECT_EQ(d.messageBox("e", "t", Icon::None, Buttons::AbortRetryIgnore), Button::Abort);
    EXPECT_EQ(d.messageBox("f", "t", Icon::None, Buttons::Ok), Button::Ok);
    EXPECT_EQ(d.count(Kind::MessageBox), 6);
}

TEST(RecordingDesktop, FileDialogsAnswerFromTheQueueThenCancel) {
    RecordingDesktop d;
    d.queueFileDialogResult(QString("/tmp/out.csv"));
    d.queueFileDialogResult(std::nullopt);
    d.queueFileDialogResult(QString("/tmp/second"));
    EXPECT_EQ(d.fileDialog({}), QString("/tmp/out.csv"));
    EXPECT_EQ(d.fileDialog({}), std::nullopt);
    EXPECT_EQ(d.fileDialog({}), QString("/tmp/second"));
    EXPECT_EQ(d.pendingFileDialogResults(), 0);
    EXPECT_EQ(d.fileDialog({}), std::nullopt);
}

TEST(RecordingDesktop, PrintingFollowsTheScriptedRange) {
    RecordingDesktop d;
    QTextDocument all("Name: A\nNote: B");
    QTextDocument selection("Note: B");
    const PrintRequest withSelection{"Print", true};

    EXPECT_EQ(d.printDocument(withSelection, all, &selection), PrintRange::Cancelled);
    EXPECT_EQ(d.calls().last().printedText, "");

    d.setPrintAnswer(PrintRange::Selection);
    EXPECT_EQ(d.printDocument(withSelection, all, &selection), PrintRange::Selection);
    EXPECT_EQ(d.calls().last().printedText, "Note: B");
    EXPECT_EQ(d.calls().last().text, "Name: A\nNote: B");
    // No selection to print: the whole text goes, as the real dialog would do.
    EXPECT_EQ(d.printDocument({"Print", false}, all, nullptr), PrintRange::All);
    EXPECT_EQ(d.calls().last().printedText, "Name: A\nNote: B");

    d.setPrintAnswer(PrintRange::All);
    EXPECT_EQ(d.printDocument(withSelection, all, &selection), PrintRange::All);
    EXPECT_EQ(d.calls().last().printedText, "Name: A\nNote: B");
    EXPECT_TRUE(d.calls().last().print.hasSelection);
}

TEST(RecordingDesktop, SettingsClipboardAndResultsAreScriptable) {
    RecordingDesktop d;
    EXPECT_EQ(d.readSetting("Locastra", "Settings", "DisplayOnConnect", "0"), "0");
    d.setSetting("Locastra", "Settings", "DisplayOnConnect", "1");
    EXPECT_EQ(d.readSetting("Locastra", "Settings", "DisplayOnConnect", "0"), "1");
    EXPECT_EQ(d.readSetting("Locastra", "Other", "DisplayOnConnect", "0"), "0");
    EXPECT_EQ(d.readSetting("Locastra", "Settings", "displayonconnect", "0"), "0");
    d.writeSetting("Locastra", "Layout", "BTYPE", "3");
    EXPECT_EQ(d.readSetting("Locastra", "Layout", "BTYPE", ""), "3");
    EXPECT_EQ(d.callsOf(Kind::WriteSetting).first().text, "3");
    d.removeSetting("Locastra", "Settings", "DisplayOnConnect");
    EXPECT_EQ(d.readSetting("Locastra", "Settings", "DisplayOnConnect", "0"), "0");

    d.setClipboardText("line 1\r\nline 2");
    EXPECT_EQ(d.clipboardContents(), "line 1\r\nline 2");
    EXPECT_EQ(d.count(Kind::ClipboardText), 0);
    EXPECT_EQ(d.clipboardText(), "line 1\r\nline 2");
    EXPECT_EQ(d.count(Kind::ClipboardText), 1);

    EXPECT_TRUE(d.shellOpen("x"));
    d.setShellOpenResult(false);
    d.setOpenInTextEditorResult(false);
    d.setShowHelpResult(false);
    EXPECT_FALSE(d.shellOpen("x"));
    EXPECT_FALSE(d.openInTextEditor("x"));
    EXPECT_FALSE(d.showHelp("x", ""));
}

TEST(RecordingDesktop, ScopedInstallReplacesTheServicesAndRestoresThem) {
    Desktop* before = &services();
    {
        ScopedRecordingDesktop recording;
        EXPECT_EQ(&services(), &*recording);
        services().messageBox("hello", "Locastra", Icon::None, Buttons::Ok);
        EXPECT_EQ(recording->count(Kind::MessageBox), 1);
    }
    EXPECT_EQ(&services(), before);
    EXPECT_EQ(dynamic_cast<RecordingDesktop*>(&services()), nullptr);
}

} // namespace
