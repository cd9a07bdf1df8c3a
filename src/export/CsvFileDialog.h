#pragma once

#include <QObject>
#include <QString>
#include <optional>

namespace toolwindow {
class frmAddIn;
}

namespace exporting {

// The tool window's file dialog for the CSV export (objectName "CommonDialog1"):
// created on first use as a child of the window, it lives as long as the window and
// remembers the last chosen file name, which the next showing offers again.
class CsvFileDialog : public QObject {
    Q_OBJECT
public:
    // The window's dialog, created when it has none yet.
    static CsvFileDialog& of(toolwindow::frmAddIn& form);

    // Shows the open-file dialog in the file system's root with the single filter
    // "Comma Delimited (*.csv)" preselected. Returns the chosen name exactly as given
    // (no extension added), or nothing when the user cancelled.
    std::optional<QString> Show();

    const QString& FileName() const { return fileName_; }

private:
    explicit CsvFileDialog(QObject* parent);
    QString fileName_;
};

} // namespace exporting
