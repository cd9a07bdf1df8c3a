#include "CoordinateCommands.h"

#include "frmZoomToCoordinates.h"

#include "geo/CoordinateFormatSetting.h"
#include "toolwindow/frmAddIn.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace tools {

void wireCoordinateCommands(toolwindow::frmAddIn& form) {
    toolwindow::frmAddIn* window = &form;
    auto* group = new QActionGroup(form.mnuCoordinateFormat);
    group->setExclusive(true);
    for (const geo::CoordinateFormat format : geo::AllCoordinateFormats) {
        QAction* entry = form.mnuCoordinateFormat->addAction(geo::CoordinateFormatTitle(format));
        entry->setObjectName(QStringLiteral("mnuFormat") + geo::CoordinateFormatKey(format));
        entry->setCheckable(true);
        entry->setData(static_cast<int>(format));
        group->addAction(entry);
        QObject::connect(entry, &QAction::triggered, window,
                         [format] { geo::ChooseCoordinateFormat(format); });
    }
    QObject::connect(form.mnuCoordinateFormat, &QMenu::aboutToShow, window, [group] {
        const int chosen = static_cast<int>(geo::ChosenCoordinateFormat());
        for (QAction* entry : group->actions())
            entry->setChecked(entry->data().toInt() == chosen);
    });
    QObject::connect(form.mnuZoomToCoordinates, &QAction::triggered, window,
                     [window] { ZoomToCoordinates(window); });
}

} // namespace tools
