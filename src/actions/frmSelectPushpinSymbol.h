#pragma once

#include "addin/mappoint/SymbolImageTable.h"

#include <QDialog>

class QListWidget;
class chameleonButton;

namespace actions {

// "Select Pushpin Symbol": the 256 built-in symbols in number order, labelled 0 to 255.
// "Select" or a double-click anywhere on the list (on an item or on the empty area
// around the items) stores the first selected item's number in
// g_lSelectedSymbol and closes; "Cancel", the close box and "Select" with nothing
// selected close without touching it. Only a label that reads as a symbol number
// (0 to 255) is taken as a choice.
class frmSelectPushpinSymbol : public QDialog {
    Q_OBJECT
public:
    explicit frmSelectPushpinSymbol(QWidget* owner = nullptr);
    ~frmSelectPushpinSymbol() override;

public slots:
    void ButtonSelect_Click();
    void buttonCancle_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();
    void takeChoice();

    locastra::SymbolImageTable ImageList1;
    QListWidget* ListView1 = nullptr;
    chameleonButton* ButtonSelect = nullptr;
    chameleonButton* buttonCancle = nullptr;
};

} // namespace actions
