#include "PushpinSearch.h"

#include "DataSetProgress.h"
#include "MessagePump.h"
#include "RecordWalk.h"
#include "ResultListModel.h"
#include "StatusBar.h"
#include "StopButton.h"
#include "addin/FailureStyle.h"
#include "addin/LowerCaseMatch.h"
#include "addin/mappoint/HostAccess.h"
#include "addin/mappoint/SymbolImageIndex.h"
#include "frmAddIn.h"
#include "mappoint/Pushpin.h"
#include "mappoint/Recordset.h"

#include <QLineEdit>

namespace toolwindow {

using locastra::Step;

void PushpinSearch::click() {
    if (form_.Text1->text().isEmpty())
        return;
    StopButton button = StopButton::find(form_);
    if (button.readsStop()) {
        // The Stop click: the running loop ends at its next check and reports itself.
        button.stop();
        endBlock(0, 0);
        return;
    }
    button.start();
    records_ = 0;
    matches_ = 0;
    finished_ = false;
    ResultListModel& rows = *form_.ResultRows();
    rows.clear();

    mappoint::MapPtr map;
    if (!locastra::EndSilentlyOnFailure([&] { map = locastra::AttachActiveMap(); })) {
        // No host to search: end as a search over nothing would.
        endBlock(matches_, records_);
        return;
    }

    const QString text = form_.Text1->text();
    Step([&] {
        if (auto pushpin = map->FindPushpin(text)) {
            const QString name = pushpin->Name();
            rows.append(name, locastra::SymbolImageIndex(pushpin->Symbol()));
            ++matches_;
        }
    });
    rows.flush();

    DataSetProgress progress(form_);
    MessagePump pump([&] {
        if (rows.flushDue())
            rows.flush();
        else
            rows.sortQueued();
        progress.show();
    });
    locastra::LowerCaseMatch match;
    const QString choice = form_.DataSetChoice();
    Step([&] {
        locastra::ForEachChosenDataSet(map, choice, [&](const mappoint::DataSetPtr& dataSet) {
            if (!finished_)
                searchDataSet(dataSet, progress, pump, match);
        });
    });
    if (finished_)
        return;
    rows.flush();
    endBlock(matches_, records_);
}

void PushpinSearch::searchDataSet(const mappoint::DataSetPtr& dataSet, DataSetProgress& progress,
                                  MessagePump& pump, locastra::LowerCaseMatch& match) {
    const auto finish = [&] {
        form_.ResultRows()->flush();
        endBlock(matches_, records_);
        finished_ = true;
    };
    ResultListModel& rows = *form_.ResultRows();
    const bool walked = WalkDataSetRecords(
        dataSet, form_.StopFlag, progress, pump, [&](const auto& records, const auto& advance) {
            ++records_;
            advance();
            Step([&] {
                const mappoint::PushpinPtr pushpin = records->Pushpin();
                const QString name = pushpin->Name();
                match.setTarget(form_.Text1->text());
                if (!match.containedIn(name))
                    return;
                const std::optional<QString> first = rows.firstRowText();
                if (!first || *first != name) {
                    rows.append(name, locastra::SymbolImageIndex(pushpin->Symbol()));
                    ++matches_;
                }
            });
            if (rows.batchFull())
                pump.yieldNow();
        });
    if (!walked)
        finish();
}

void PushpinSearch::endBlock(int32_t matches, int32_t records) {
    StopButton::find(form_).end();
    form_.StatusBar1->setPanelText(1, QStringLiteral("Matched: ") + QString::number(matches) +
                                          QStringLiteral(" of ") + QString::number(records) +
                                          QStringLiteral(" records searched"));
}

} // namespace toolwindow
