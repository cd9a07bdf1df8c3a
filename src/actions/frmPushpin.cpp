#include "frmPushpin.h"

#include "PushpinInformation.h"

#include "addin/FailureStyle.h"
#include "desktop/Desktop.h"
#include "desktop/ScreenFit.h"
#include "desktop/Twips.h"
#include "widgets/AltKeyGuard.h"
#include "widgets/FixedFrame.h"
#include "widgets/LocastraButton.h"
#include "widgets/chameleonButton.h"

#include <QHeaderView>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTreeWidget>
#include <memory>

namespace actions {

namespace {
QString withCrLf(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), InfoLineEnd);
    return text;
}
} // namespace

frmPushpin::frmPushpin(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmPushpin"));
    setWindowTitle(QStringLiteral("Pushpin Information"));
    setWindowFlags(FixedFrame(Qt::Tool));
    setModal(true);
    setFixedSize(desktop::twipsRect(0, 0, 4575, 6120).size());

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(desktop::twipsRect(495, 120, 3900, 480));
    ListView1->setRootIsDecorated(false);
    ListView1->setColumnCount(1);
    ListView1->setIconSize(QSize(16, 16));
    // Header and the one item share 480 twips: no scroll bars, a compact header.
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListView1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListView1->setUniformRowHeights(true);
    ListView1->header()->setFixedHeight(ListView1->fontMetrics().height() + 2);

    RichTextBox1 = new QTextEdit(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setGeometry(desktop::twipsRect(165, 660, 4230, 4845));
    RichTextBox1->setAcceptRichText(false);

    ButtonPrint = makeLocastraButton(this, QStringLiteral("Print"), QStringLiteral("ButtonPrint"));
    ButtonPrint->setGeometry(desktop::twipsRect(180, 5625, 1095, 375));
    ButtonCopy =
        makeLocastraButton(this, QStringLiteral("Copy To Clipboard"), QStringLiteral("ButtonCopy"));
    ButtonCopy->setGeometry(desktop::twipsRect(1380, 5625, 1815, 375));
    ButtonClose = makeLocastraButton(this, QStringLiteral("Close"), QStringLiteral("ButtonClose"));
    ButtonClose->setGeometry(desktop::twipsRect(3300, 5625, 1095, 375));

    connect(ButtonPrint, &chameleonButton::Click, this, &frmPushpin::ButtonPrint_Click);
    connect(ButtonCopy, &chameleonButton::Click, this, &frmPushpin::ButtonCopy_Click);
    connect(ButtonClose, &chameleonButton::Click, this, &frmPushpin::ButtonClose_Click);
    GuardTextInputsFromAltKeys(this);
    desktop::CentreOnOwner(*this, owner);

    load();
}

frmPushpin::~frmPushpin() = default;

void frmPushpin::load() {
    ListView1->setHeaderLabels({QStringLiteral("Pushpin")});
    // The one column spans the whole list.
    ListView1->header()->setStretchLastSection(true);
    auto* item = new QTreeWidgetItem(ListView1, {g_sPushpinName});
    item->setIcon(0, ImageList1.icon(g_lPushpinSymbol + 1));
    RichTextBox1->setPlainText(g_sPushpinInfo);
    fitHeaderList();
}

void frmPushpin::fitHeaderList() {
    // 480 twips hold the header and the row in small fonts only; with a larger font
    // (QGIS's) the list grows to show its row whole and the text box below gives way.
    const int needed = 2 * ListView1->frameWidth() + ListView1->header()->maximumHeight() +
                       ListView1->sizeHintForRow(0);
    const int grow = needed - ListView1->height();
    if (grow <= 0)
        return;
    ListView1->resize(ListView1->width(), needed);
    RichTextBox1->setGeometry(RichTextBox1->geometry().adjusted(0, grow, 0, 0));
}

QString frmPushpin::informationText() const {
    return withCrLf(RichTextBox1->toPlainText());
}

void frmPushpin::ButtonCopy_Click() {
    // A clipboard that cannot be used leaves nothing to report; the window stays open.
    locastra::EndSilentlyOnFailure(
        [&] { desktop::services().setClipboardText(informationText()); });
}

void frmPushpin::ButtonPrint_Click() {
    // Cancel and every failure end the click quietly; the window stays open.
    locastra::EndSilentlyOnFailure([&] {
        const QTextCursor cursor = RichTextBox1->textCursor();
        desktop::PrintRequest request;
        request.title = windowTitle();
        request.hasSelection = cursor.hasSelection();
        std::unique_ptr<QTextDocument> selection;
        if (request.hasSelection) {
            selection = std::make_unique<QTextDocument>();
            selection->setDefaultFont(RichTextBox1->document()->defaultFont());
            QTextCursor(selection.get()).insertFragment(cursor.selection());
        }
        desktop::services().printDocument(request, *RichTextBox1->document(), selection.get());
    });
}

void frmPushpin::ButtonClose_Click() {
    g_sPushpinInfo.clear();
    accept();
}

} // namespace actions
