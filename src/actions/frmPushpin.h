#pragma once

#include "addin/mappoint/SymbolImageTable.h"

#include <QDialog>

class QTextEdit;
class QTreeWidget;
class chameleonButton;

namespace actions {

// "Pushpin Information": a header row with the described pushpin's symbol and name and
// the information text, which can be copied to the clipboard or printed. Loads from
// the shared values (g_sPushpinInfo, g_sPushpinName, g_lPushpinSymbol) when created.
// "Close" empties g_sPushpinInfo and closes; the frame's close box only closes.
// The text stays editable, so the user can trim it before copying or printing.
class frmPushpin : public QDialog {
    Q_OBJECT
public:
    explicit frmPushpin(QWidget* owner = nullptr);
    ~frmPushpin() override;

    // The box's text with CR LF line endings, as copied and printed.
    QString informationText() const;

public slots:
    void ButtonCopy_Click();
    void ButtonPrint_Click();
    void ButtonClose_Click();

private:
    void load();
    // Grows the header list, where its font needs it, so that its one row shows whole.
    void fitHeaderList();

    locastra::SymbolImageTable ImageList1;
    QTreeWidget* ListView1 = nullptr;
    QTextEdit* RichTextBox1 = nullptr;
    chameleonButton* ButtonPrint = nullptr;
    chameleonButton* ButtonCopy = nullptr;
    chameleonButton* ButtonClose = nullptr;
};

} // namespace actions
