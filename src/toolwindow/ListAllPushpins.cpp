#include "ListAllPushpins.h"

#include "DataSetProgress.h"
#include "MessagePump.h"
#include "RecordWalk.h"
#include "ResultListModel.h"
#include "ResultListView.h"
#include "StatusBar.h"
#include "StopButton.h"
#include "addin/FailureStyle.h"
#include "addin/mappoint/HostAccess.h"
#include "addin/mappoint/SymbolImageIndex.h"
#include "frmAddIn.h"
#include "mappoint/Pushpin.h"
#include "mappoint/Recordset.h"

#include <QPersistentModelIndex>
#include <QTimer>

namespace toolwindow {

using locastra::Step;

void ListAllPushpins::click() {
    StopButton button = StopButton::getAll(form_);
    if (button.readsStop()) {
        button.stop();
        endBlock();
        return;
    }
    button.start();
    finished_ = false;
    ResultListModel& rows = *form_.ResultRows();
    rows.clear();

    mappoint::MapPtr map;
    if (!locastra::EndSilentlyOnFailure([&] { map = locastra::AttachActiveMap(); })) {
        endBlock();
        return;
    }

    DataSetProgress progress(form_);
    MessagePump pump([&] {
        if (rows.flushDue())
            flushRows();
        else
            rows.sortQueued();
        progress.show();
    });
    const QString choice = form_.DataSetChoice();
    Step([&] {
        locastra::ForEachChosenDataSet(map, choice, [&](const mappoint::DataSetPtr& dataSet) {
            if (!finished_)
                listDataSet(dataSet, progress, pump);
        });
    });
    if (finished_)
        return;
    flushRows();
    endBlock();
}

void ListAllPushpins::listDataSet(const mappoint::DataSetPtr& dataSet, DataSetProgress& progress,
                                  MessagePump& pump) {
    const auto finish = [&] {
        flushRows();
        endBlock();
        finished_ = true;
    };
    ResultListModel& rows = *form_.ResultRows();
    const bool walked = WalkDataSetRecords(
        dataSet, form_.StopFlag, progress, pump, [&](const auto& records, const auto& advance) {
            advance();
            Step([&] {
                const mappoint::PushpinPtr pushpin = records->Pushpin();
                const QString name = pushpin->Name();
                rows.append(name, locastra::SymbolImageIndex(pushpin->Symbol()));
            });
            if (rows.batchFull())
                pump.yieldNow();
        });
    if (!walked)
        finish();
}

void ListAllPushpins::flushRows() {
    // The newest row is scrolled into view once per batch.
    ResultListModel& rows = *form_.ResultRows();
    const int last = rows.flush();
    if (last < 0)
        return;
    // After Stop the command ends first and the view scrolls once the window handles
    // its messages again (scrolling lays out every row).
    if (!form_.StopFlag) {
        form_.ListView1->scrollTo(rows.index(last));
        return;
    }
    QTimer::singleShot(0, form_.ListView1,
                       [view = form_.ListView1, newest = QPersistentModelIndex(rows.index(last))] {
                           if (newest.isValid())
                               view->scrollTo(newest);
                       });
}

void ListAllPushpins::endBlock() {
    StopButton::getAll(form_).end();
    form_.StatusBar1->setPanelText(1, QString());
}

} // namespace toolwindow
