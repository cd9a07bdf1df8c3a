#include "frmSelectPushpinSymbol.h"

#include "SymbolPicker.h"

#include "desktop/ScreenFit.h"
#include "desktop/Twips.h"
#include "widgets/FixedFrame.h"
#include "widgets/LocastraButton.h"
#include "widgets/chameleonButton.h"

#include <QListWidget>
#include <QMouseEvent>

namespace actions {

frmSelectPushpinSymbol::frmSelectPushpinSymbol(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmSelectPushpinSymbol"));
    setWindowTitle(QStringLiteral("Select Pushpin Symbol"));
    setWindowFlags(FixedFrame(Qt::Dialog));
    setModal(true);
    setFixedSize(desktop::twipsRect(0, 0, 4680, 3570).size());

    ListView1 = new QListWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(desktop::twipsRect(255, 225, 4230, 2595));
    ListView1->setViewMode(QListView::IconMode);
    ListView1->setIconSize(QSize(32, 32));
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setMovement(QListView::Static);
    ListView1->setUniformItemSizes(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);

    ButtonSelect =
        makeLocastraButton(this, QStringLiteral("Select"), QStringLiteral("ButtonSelect"));
    ButtonSelect->setGeometry(desktop::twipsRect(1350, 2970, 855, 375));
    buttonCancle =
        makeLocastraButton(this, QStringLiteral("Cancel"), QStringLiteral("buttonCancle"));
    buttonCancle->setGeometry(desktop::twipsRect(2655, 2985, 855, 375));

    connect(ButtonSelect, &chameleonButton::Click, this,
            &frmSelectPushpinSymbol::ButtonSelect_Click);
    connect(buttonCancle, &chameleonButton::Click, this,
            &frmSelectPushpinSymbol::buttonCancle_Click);
    // A double-click on the list takes the choice, on an item or beside the items.
    ListView1->viewport()->installEventFilter(this);

    desktop::CentreOnOwner(*this, owner, desktop::Centre::OnScreen);
    load();
}

frmSelectPushpinSymbol::~frmSelectPushpinSymbol() = default;

void frmSelectPushpinSymbol::load() {
    for (int i = 0; i < locastra::SymbolImageTable::Size; ++i) {
        auto* item = new QListWidgetItem(ImageList1.icon(i + 1), QString::number(i), ListView1);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }
}

void frmSelectPushpinSymbol::takeChoice() {
    for (int i = 0; i < ListView1->count(); ++i) {
        const QListWidgetItem* item = ListView1->item(i);
        if (!item->isSelected())
            continue;
        bool isNumber = false;
        const int symbol = item->text().trimmed().toInt(&isNumber);
        if (isNumber && symbol >= 0 && symbol < locastra::SymbolImageTable::Size)
            g_lSelectedSymbol = symbol;
        break;
    }
    accept();
}

bool frmSelectPushpinSymbol::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        takeChoice();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmSelectPushpinSymbol::ButtonSelect_Click() {
    takeChoice();
}

void frmSelectPushpinSymbol::buttonCancle_Click() {
    reject();
}

} // namespace actions
