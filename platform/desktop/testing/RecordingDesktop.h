#pragma once

#include "desktop/Desktop.h"

#include <QHash>
#include <QList>
#include <deque>

namespace desktop {

// One call made on the recording double.
struct RecordedCall {
    enum class Kind {
        MessageBox,
        FileDialog,
        ShellOpen,
        OpenInTextEditor,
        SetClipboardText,
        ClipboardText,
        PrintDocument,
        ReadSetting,
        WriteSetting,
        ShowHelp,
    };

    Kind kind = Kind::MessageBox;
    // MessageBox: the text; ShellOpen: the address; OpenInTextEditor: the path;
    // SetClipboardText / ClipboardText: the text put / read; PrintDocument: the whole
    // document's plain text; ReadSetting: the value returned; WriteSetting: the value
    // written; ShowHelp: the help file.
    QString text;
    // MessageBox and PrintDocument: the title; FileDialog: the request's title.
    QString title;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    FileDialogRequest fileDialog;
    PrintRequest print;
    // PrintDocument: the selection's plain text (empty without one) and the text
    // that was printed (empty when cancelled).
    QString selectionText;
    QString printedText;
    // ReadSetting / WriteSetting.
    QString application;
    QString section;
    QString key;
    QString defaultValue;
    // ShowHelp.
    QString topic;
};

const char* kindName(RecordedCall::Kind kind);

// The desktop services for tests: records every call in order and answers from a
// script. Unscripted answers: a message box answers its first (default) button, a
// file dialog is cancelled, printing is cancelled, a setting reads its default, and
// shell open, the editor and help succeed (help, as the real service, only for a
// named file). The clipboard is kept in memory; written
// settings are kept and read back.
class RecordingDesktop : public Desktop {
public:
    // Script.
    void queueMessageBoxAnswer(Button answer) { messageBoxAnswers_.push_back(answer); }
    // A file name, or std::nullopt for a cancelled dialog.
    void queueFileDialogResult(std::optional<QString> result) {
        fileDialogResults_.push_back(std::move(result));
        fileDialogFilters_.push_back(0);
    }
    // The same, with the filter the user left selected (1-based; 0 keeps the
    // request's own).
    void queueFileDialogResult(std::optional<QString> result, int chosenFilterIndex) {
        fileDialogResults_.push_back(std::move(result));
        fileDialogFilters_.push_back(chosenFilterIndex);
    }
    // What every later print dialog answers. Selection prints the selection
    // document; without one the whole document is printed and All returned.
    void setPrintAnswer(PrintRange answer) { printAnswer_ = answer; }
    void setSetting(const QString& application, const QString& section, const QString& key,
                    const QString& value);
    void removeSetting(const QString& application, const QString& section, const QString& key);
    void setShellOpenResult(bool result) { shellOpenResult_ = result; }
    void setOpenInTextEditorResult(bool result) { openInTextEditorResult_ = result; }
    void setShowHelpResult(bool result) { showHelpResult_ = result; }

    // Record.
    const QList<RecordedCall>& calls() const { return calls_; }
    QList<RecordedCall> callsOf(RecordedCall::Kind kind) const;
    qsizetype count(RecordedCall::Kind kind) const { return callsOf(kind).size(); }
    void clearCalls() { calls_.clear(); }
    // The clipboard's text, read without recording a call.
    const QString& clipboardContents() const { return clipboard_; }
    // One line per call ("MessageBox 'text' 'title'"), for test failure messages.
    QString log() const;
    // Scripted answers not used yet.
    qsizetype pendingMessageBoxAnswers() const {
        return static_cast<qsizetype>(messageBoxAnswers_.size());
    }
    qsizetype pendingFileDialogResults() const {
        return static_cast<qsizetype>(fileDialogResults_.size());
    }

    // Desktop.
    Button messageBox(const QString& text, const QString& title, Icon icon,
                      Buttons buttons) override;
    std::optional<QString> fileDialog(const FileDialogRequest& request) override;
    bool shellOpen(const QString& address) override;
    bool openInTextEditor(const QString& filePath) override;
    void setClipboardText(const QString& text) override;
    QString clipboardText() override;
    PrintRange printDocument(const PrintRequest& request, const QTextDocument& all,
                             const QTextDocument* selection) override;
    QString readSetting(const QString& application, const QString& section, const QString& key,
                        const QString& defaultValue) override;
    void writeSetting(const QString& application, const QString& section, const QString& key,
                      const QString& value) override;
    bool showHelp(const QString& helpFile, const QString& topic) override;

private:
    // Appends a call of that kind to the log; the caller fills in its details.
    RecordedCall& record(RecordedCall::Kind kind);
    static QString settingKey(const QString& application, const QString& section,
                              const QString& key);

    QList<RecordedCall> calls_;
    std::deque<Button> messageBoxAnswers_;
    std::deque<std::optional<QString>> fileDialogResults_;
    std::deque<int> fileDialogFilters_;
    PrintRange printAnswer_ = PrintRange::Cancelled;
    QHash<QString, QString> settings_;
    QString clipboard_;
    bool shellOpenResult_ = true;
    bool openInTextEditorResult_ = true;
    bool showHelpResult_ = true;
};

// Installs a RecordingDesktop as the process's services for its lifetime and
// restores the Qt implementation afterwards.
class ScopedRecordingDesktop {
public:
    ScopedRecordingDesktop();
    ~ScopedRecordingDesktop();
    ScopedRecordingDesktop(const ScopedRecordingDesktop&) = delete;
    ScopedRecordingDesktop& operator=(const ScopedRecordingDesktop&) = delete;

    RecordingDesktop& operator*() const { return *desktop_; }
    RecordingDesktop* operator->() const { return desktop_.get(); }

private:
    std::shared_ptr<RecordingDesktop> desktop_;
};

} // namespace desktop
