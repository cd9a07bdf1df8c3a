#pragma once

#include <QObject>
#include <QString>
#include <optional>

namespace toolwindow {
class frmAddIn;
}

namespace exporting {

struct GisFormat;

// The tool window's save dialog for the GIS file export (objectName "GisFileDialog"):
// one filter per format; it lives as long as the window and offers the last chosen
// file and filter again.
class GisFileDialog : public QObject {
    Q_OBJECT
public:
    struct Choice {
        QString fileName; // with the format's extension
        const GisFormat* format;
    };

    static GisFileDialog& of(toolwindow::frmAddIn& form);

    // The chosen file and its format (the typed extension's, otherwise the selected
    // filter's); nothing when cancelled.
    std::optional<Choice> Show();

private:
    explicit GisFileDialog(QObject* parent);
    QString fileName_;
    int filterIndex_ = 1;
};

} // namespace exporting
