#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;
class QTextDocument;

namespace desktop {

enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Button { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct FileDialogRequest {
    QString title;
    QString initialFolder;
    // Qt filter syntax: "Text files (*.csv);;All files (*)".
    QString filter;
    // 1-based index of the filter shown first.
    int filterIndex = 1;
    QString defaultName;
    bool save = false; // a save dialog instead of an open dialog
    // Save dialogs only: the dialog asks before a chosen file that exists is replaced.
    // Off for a caller that asks itself, about the files it really writes.
    bool confirmOverwrite = true;
    // Open dialogs only: accept only a file that exists. Off by default, so a new
    // file name can be typed, as the export commands rely on.
    bool mustExist = false;
    // When set, receives the 1-based index of the filter selected when the dialog
    // closed with a file (a save dialog whose filters choose the file's format).
    int* chosenFilterIndex = nullptr;
};

struct PrintRequest {
    QString title;
    bool hasSelection = false; // offer "selection" as the print range
};

// Where a print request ended: cancelled, print everything, print the selection.
enum class PrintRange { Cancelled, All, Selection };

// The desktop services the add-in and the host stand-ins use. One process-wide
// instance: the Qt one in the product, a recording double in tests.
class Desktop {
public:
    virtual ~Desktop() = default;

    // A modal message box; returns the button that closed it.
    virtual Button messageBox(const QString& text, const QString& title, Icon icon,
                              Buttons buttons) = 0;
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<QString> fileDialog(const FileDialogRequest& request) = 0;
    // Opens an address (web page, file) with the user's default handler.
    virtual bool shellOpen(const QString& address) = 0;
    // Opens a file in the user's text editor; arguments go as a list, never through
    // a shell.
    virtual bool openInTextEditor(const QString& filePath) = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual QString clipboardText() = 0;
    // Shows the print dialog; on acceptance prints the document (all or the selected
    // part, given as the document that holds just the selection).
    virtual PrintRange printDocument(const PrintRequest& request, const QTextDocument& all,
                                     const QTextDocument* selection) = 0;
    // Reads a per-user setting: application, section, key, default.
    virtual QString readSetting(const QString& application, const QString& section,
                                const QString& key, const QString& defaultValue) = 0;
    virtual void writeSetting(const QString& application, const QString& section,
                              const QString& key, const QString& value) = 0;
    // Opens a help file (optionally at a topic) in the help viewer; false when no
    // viewer can show it.
    virtual bool showHelp(const QString& helpFile, const QString& topic) = 0;
};

// The process-wide services; the Qt implementation unless a test installed another.
Desktop& services();
// Installs services for the process (tests); nullptr restores the Qt implementation.
void setServices(std::shared_ptr<Desktop> desktop);

} // namespace desktop
