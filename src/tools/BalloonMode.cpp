#include "BalloonMode.h"

#include "RecordLoop.h"
#include "addin/FailureStyle.h"
#include "addin/mappoint/HostAccess.h"
#include "mappoint/Pushpin.h"
#include "toolwindow/DataSetProgress.h"
#include "toolwindow/frmAddIn.h"

#include <QRadioButton>
#include <array>

namespace tools {

using locastra::Step;

int ChosenBalloonState(const toolwindow::frmAddIn& form) {
    constexpr std::array<int, 3> states = {mappoint::geoDisplayBalloon, mappoint::geoDisplayName,
                                           mappoint::geoDisplayNone};
    int state = mappoint::geoDisplayNone;
    for (size_t i = 0; i < states.size(); ++i) {
        if (form.Option1[i] && form.Option1[i]->isChecked())
            state = states[i];
    }
    return state;
}

void ChangeBalloons(toolwindow::frmAddIn& form) {
    form.setCursor(Qt::WaitCursor);
    const int state = ChosenBalloonState(form);
    const QString choice = form.DataSetChoice();
    toolwindow::DataSetProgress progress(form);
    mappoint::MapPtr map;
    Step([&] { map = locastra::AttachActiveMap(); });
    if (map) {
        Step([&] {
            locastra::ForEachChosenDataSet(map, choice, [&](const mappoint::DataSetPtr& dataSet) {
                ForEachPushpinOf(dataSet, progress, [&](const mappoint::PushpinPtr& pushpin) {
                    Step([&] { pushpin->SetBalloonState(state); });
                });
            });
        });
    }
    form.unsetCursor();
    progress.hide();
}

} // namespace tools
