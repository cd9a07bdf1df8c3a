#pragma once

#include "geo/PositionParse.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class chameleonButton;

namespace tools {

// "Zoom to Coordinates": a position typed in any coordinate format, with what it was
// understood as (or why it cannot be) shown while typing. OK is enabled only for a
// position that was understood; Enter in the box presses it.
class frmZoomToCoordinates : public QDialog {
    Q_OBJECT
public:
    explicit frmZoomToCoordinates(QWidget* owner = nullptr);

    // The typed text as understood.
    const geo::ParsedPosition& position() const { return position_; }

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label2 = nullptr;
    chameleonButton* cmdOK = nullptr;
    chameleonButton* cmdCancel = nullptr;

private:
    void Text1_Change();

    geo::ParsedPosition position_;
};

// The feedback line for a typed position: what it was understood as, or the reason it
// could not be.
QString UnderstoodText(const geo::ParsedPosition& position);

// View > Zoom to Coordinates...: asks for a position and centres the map there at its
// current altitude. A failing host call ends the command with a message.
void ZoomToCoordinates(QWidget* owner);

// Centres the active map on a position, keeping the altitude.
void GoToPosition(double latitude, double longitude);

} // namespace tools
