#include "frmAbout.h"

#include "AddinVersion.h"
#include "HelpCommands.h"
#include "desktop/ScreenFit.h"
#include "widgets/FixedFrame.h"
#include "widgets/LocastraButton.h"
#include "widgets/chameleonButton.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace tools {

namespace {

QLabel* label(QWidget* parent, const QString& text, const char* name) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    return l;
}

// The window's two pictures: a pushpin over a globe, and a small map grid.
QPixmap PushpinPicture() {
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(70, 130, 200));
    p.setPen(QColor(30, 60, 120));
    p.drawEllipse(4, 8, 38, 38);
    p.setBrush(QColor(200, 30, 30));
    p.setPen(Qt::black);
    p.drawEllipse(20, 2, 14, 14);
    p.drawLine(27, 16, 27, 30);
    return pixmap;
}

QPixmap GridPicture() {
    QPixmap pixmap(32, 32);
    pixmap.fill(QColor(240, 235, 210));
    QPainter p(&pixmap);
    p.setPen(QColor(150, 150, 120));
    for (int i = 0; i <= 32; i += 8) {
        p.drawLine(i, 0, i, 32);
        p.drawLine(0, i, 32, i);
    }
    return pixmap;
}

} // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlags(FixedFrame(Qt::Dialog));
    buildLayout();
    Form_Load();
    desktop::CentreOnOwner(*this, owner);
}

void frmAbout::buildLayout() {
    setWindowTitle(QStringLiteral("About Locastra"));
    Picture1 = label(this, QString(), "Picture1");
    Picture1->setPixmap(PushpinPicture());
    Image1 = label(this, QString(), "Image1");
    Image1->setPixmap(GridPicture());
    lblVersion = label(this, QStringLiteral("Version"), "lblVersion");
    Label2 = label(this,
                   QStringLiteral("Locastra, a pushpin tool for the map. Written by the "
                                  "Locastra developers."),
                   "Label2");
    Label3 = label(this,
                   QStringLiteral("Microsoft MapPoint\u00AE version 2002 is a registered trademark "
                                  "of Microsoft Corporation in the United States and/or other "
                                  "countries. "),
                   "Label3");
    Label4 = label(this, MakerHost, "Label4");
    QFont linkFont = Label4->font();
    linkFont.setBold(true);
    linkFont.setUnderline(true);
    linkFont.setPointSize(12);
    Label4->setFont(linkFont);
    QPalette linkPalette = Label4->palette();
    linkPalette.setColor(QPalette::WindowText, Qt::blue);
    Label4->setPalette(linkPalette);
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->installEventFilter(this);
    ButtonClose = makeLocastraButton(this, QStringLiteral("Close"), QStringLiteral("ButtonClose"));
    ButtonClose->setMinimumSize(80, 25);
    connect(ButtonClose, &chameleonButton::Click, this, [this] { ButtonClose_Click(); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(Picture1, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblVersion, 0, 1);
    grid->addWidget(Label2, 1, 1);
    grid->addWidget(Image1, 2, 0, Qt::AlignTop);
    grid->addWidget(Label3, 2, 1);
    grid->addWidget(Label4, 3, 1);
    grid->addWidget(ButtonClose, 4, 1, Qt::AlignRight);
    // Fixed size: 420 pixels wide, as high as the wrapped texts need.
    const int height = heightForWidth(420);
    setFixedSize(420, height > 0 ? height : sizeHint().height());
}

void frmAbout::Form_Load() {
    lblVersion->setText(VersionLabelText());
}

void frmAbout::Label4_Click() {
    OpenWebPage(QStringLiteral("http://") + Label4->text());
}

void frmAbout::ButtonClose_Click() {
    done(QDialog::Accepted);
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    // Esc unloads the window; every other key does nothing (no default button).
    if (event->key() == Qt::Key_Escape)
        done(QDialog::Rejected);
    event->accept();
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label4 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label4_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ShowAbout(QWidget* owner) {
    frmAbout about(owner);
    about.exec();
}

} // namespace tools
