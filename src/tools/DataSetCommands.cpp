#include "DataSetCommands.h"

#include "HideSymbol.h"
#include "RecordLoop.h"
#include "SelectorEntries.h"
#include "actions/SymbolPicker.h"
#include "addin/FailureStyle.h"
#include "addin/mappoint/HostAccess.h"
#include "desktop/Desktop.h"
#include "mappoint/Pushpin.h"
#include "toolwindow/DataSetProgress.h"
#include "toolwindow/frmAddIn.h"

namespace tools {

using locastra::Step;

namespace {

// "All" is no choice for the commands that change a dataset's symbols.
bool RefuseAll(const QString& choice) {
    if (choice != locastra::AllDataSets)
        return false;
    locastra::ShowError(ChooseDataSetFirst);
    return true;
}

// Calls visit for each dataset bearing exactly the chosen name; a failure to reach
// the datasets ends the walk, a failure inside visit is visit's own business.
template <class Visit>
void ForEachNamedDataSet(const mappoint::MapPtr& map, const QString& choice, Visit&& visit) {
    if (!map)
        return;
    Step([&] { locastra::ForEachChosenDataSet(map, choice, visit); });
}

} // namespace

void ZoomToDataset(toolwindow::frmAddIn& form) {
    const QString choice = form.DataSetChoice();
    locastra::EndSilentlyOnFailure([&] {
        if (const mappoint::DataSetPtr dataSet =
                locastra::FirstDataSetNamed(locastra::AttachActiveMap(), choice))
            dataSet->ZoomTo();
    });
}

void HideDataset(toolwindow::frmAddIn& form) {
    const QString choice = form.DataSetChoice();
    if (RefuseAll(choice))
        return;
    mappoint::MapPtr map;
    Step([&] { map = locastra::AttachActiveMap(); });
    toolwindow::DataSetProgress progress(form);
    if (map) {
        const std::optional<int16_t> hide = FindOrAddHideSymbol(map);
        ForEachNamedDataSet(map, choice, [&](const mappoint::DataSetPtr& dataSet) {
            ForEachPushpinOf(dataSet, progress, [&](const mappoint::PushpinPtr& pushpin) {
                // Without the symbol the balloon is still closed.
                if (hide)
                    Step([&] { pushpin->SetSymbol(*hide); });
                Step([&] { pushpin->SetBalloonState(mappoint::geoDisplayNone); });
            });
        });
    }
    progress.hide();
}

void ChangeDataSetSymbol(toolwindow::frmAddIn& form) {
    const QString choice = form.DataSetChoice();
    if (RefuseAll(choice))
        return;
    const int32_t chosen = actions::OpenSymbolPicker(&form);
    if (chosen == actions::NoSymbolChosen)
        return;
    const auto symbol = static_cast<int16_t>(chosen);

    mappoint::MapPtr map;
    Step([&] { map = locastra::AttachActiveMap(); });
    toolwindow::DataSetProgress progress(form);
    QString treated;
    ForEachNamedDataSet(map, choice, [&](const mappoint::DataSetPtr& dataSet) {
        Step([&] { treated = dataSet->Name(); });
        Step([&] { dataSet->SetSymbol(symbol); });
        ForEachPushpinOf(dataSet, progress, [&](const mappoint::PushpinPtr& pushpin) {
            Step([&] { pushpin->SetSymbol(symbol); });
        });
    });
    form.RefreshDataSets();
    progress.hide();
    SelectEntries(form, treated);
}

} // namespace tools
