#include "frmZoomToCoordinates.h"

#include "addin/FailureStyle.h"
#include "addin/mappoint/HostAccess.h"
#include "desktop/ScreenFit.h"
#include "geo/PositionFormat.h"
#include "mappoint/Location.h"
#include "mappoint/Map.h"
#include "widgets/AltKeyGuard.h"
#include "widgets/FixedFrame.h"
#include "widgets/LocastraButton.h"
#include "widgets/chameleonButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tools {

QString UnderstoodText(const geo::ParsedPosition& position) {
    if (!position.ok)
        return position.reason;
    const QString understood =
        geo::IsGridFormat(position.format)
            ? geo::CoordinateFormatTitle(position.format) + QStringLiteral(", understood as ")
            : QStringLiteral("Understood as ");
    return QStringLiteral("%1%2\n(%3)")
        .arg(understood,
             geo::FormatPosition(position.latitude, position.longitude,
                                 geo::CoordinateFormat::DegreesMinutesSeconds),
             geo::FormatPosition(position.latitude, position.longitude,
                                 geo::CoordinateFormat::DecimalDegrees));
}

frmZoomToCoordinates::frmZoomToCoordinates(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmZoomToCoordinates"));
    setWindowFlags(FixedFrame(Qt::Dialog));
    setWindowTitle(QStringLiteral("Zoom to Coordinates"));
    Label1 = new QLabel(QStringLiteral("Latitude and longitude, UTM / UPS or MGRS, for example ") +
                            geo::PositionExamples() + u':',
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    Label2->setMinimumHeight(Label2->fontMetrics().lineSpacing() * 2);
    cmdOK = makeLocastraButton(this, QStringLiteral("OK"), QStringLiteral("cmdOK"));
    cmdCancel = makeLocastraButton(this, QStringLiteral("Cancel"), QStringLiteral("cmdCancel"));
    for (chameleonButton* button : {cmdOK, cmdCancel})
        button->setMinimumSize(80, 25);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Text1);
    layout->addWidget(Label2);
    layout->addLayout(buttons);
    // 360 pixels wide, as high as the wrapped texts need.
    const QMargins margins = layout->contentsMargins();
    for (QLabel* label : {Label1, Label2})
        label->setMinimumWidth(360 - margins.left() - margins.right());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    connect(Text1, &QLineEdit::returnPressed, this, [this] {
        if (position_.ok)
            accept();
    });
    connect(cmdOK, &chameleonButton::Click, this, [this] {
        if (position_.ok)
            accept();
    });
    connect(cmdCancel, &chameleonButton::Click, this, [this] { reject(); });
    GuardTextInputsFromAltKeys(this);
    Text1_Change();
    desktop::CentreOnOwner(*this, owner);
}

void frmZoomToCoordinates::Text1_Change() {
    position_ = geo::ParsePosition(Text1->text());
    // An empty box needs no complaint yet.
    Label2->setText(Text1->text().trimmed().isEmpty() ? QString() : UnderstoodText(position_));
    cmdOK->setEnabled(position_.ok);
}

void GoToPosition(double latitude, double longitude) {
    locastra::EndWithMessageOnFailure(
        [&] {
            const mappoint::MapPtr map = locastra::AttachActiveMap();
            map->GetLocation(latitude, longitude, map->Altitude())->GoTo();
        },
        QStringLiteral("Error"), desktop::Icon::Critical);
}

void ZoomToCoordinates(QWidget* owner) {
    frmZoomToCoordinates dialog(owner);
    if (dialog.exec() != QDialog::Accepted)
        return;
    GoToPosition(dialog.position().latitude, dialog.position().longitude);
}

} // namespace tools
