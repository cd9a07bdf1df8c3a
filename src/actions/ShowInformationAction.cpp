#include "FieldValueText.h"
#include "InformationPosition.h"
#include "PushpinActions.h"
#include "PushpinInformation.h"
#include "Required.h"
#include "RowActionPattern.h"
#include "frmPushpin.h"

#include "addin/FailureStyle.h"
#include "geo/CoordinateFormatSetting.h"
#include "geo/PositionCalculator.h"
#include "mappoint/DataSet.h"
#include "mappoint/DataSets.h"
#include "mappoint/Field.h"
#include "mappoint/Fields.h"
#include "mappoint/Location.h"
#include "mappoint/Map.h"
#include "mappoint/Pushpin.h"
#include "mappoint/Recordset.h"

using locastra::Step;

namespace actions {

namespace {

// Moves the record set to the first record whose pushpin bears name. False when the
// end comes first (or the walk cannot go on).
bool seekRecordNamed(mappoint::Recordset& records, const QString& name) {
    Step([&] { records.MoveFirst(); });
    for (;;) {
        bool atEnd = true;
        if (!Step([&] { atEnd = records.Eof(); }) || atEnd)
            return false;
        bool same = false;
        Step([&] { same = Required(records.Pushpin())->Name() == name; });
        if (same)
            return true;
        if (!Step([&] { records.MoveNext(); }))
            return false;
    }
}

// Appends the block of the record the record set stands on.
void describeRecord(RowActionHost& host, const mappoint::MapPtr& map, mappoint::Recordset& records,
                    geo::CoordinateFormat format) {
    mappoint::PushpinPtr pin;
    Step([&] { pin = records.Pushpin(); });

    mappoint::FieldsPtr fields;
    int32_t fieldCount = 0;
    Step([&] {
        fields = records.Fields();
        fieldCount = Required(fields)->Count();
    });
    for (int32_t j = 1; j <= fieldCount; ++j) {
        Step([&] {
            const mappoint::FieldPtr field = Required(fields->Item(j));
            const QString line =
                field->Name() + QStringLiteral(": ") + FieldValueText(field->Value()) + InfoLineEnd;
            g_sPushpinInfo += line;
        });
    }
    if (g_sPushpinInfo.isEmpty()) {
        Step([&] {
            g_sPushpinInfo += QStringLiteral("Name: ") + Required(pin)->Name() + InfoLineEnd;
        });
        Step([&] {
            g_sPushpinInfo += QStringLiteral("Note: ") + Required(pin)->Note() + InfoLineEnd;
        });
    }

    Step([&] { geo::CalcLatLon(map, records.Location(), host.thelat(), host.thelon()); });
    g_sPushpinInfo += InformationPositionLines(host.thelat(), host.thelon(), format);

    Step([&] { g_lPushpinSymbol = Required(pin)->Symbol(); });
    Step([&] { g_sPushpinName = Required(pin)->Name(); });
}

void gatherRow(RowActionHost& host, RowContext& row, geo::CoordinateFormat format) {
    if (!row.pushpin)
        return;
    const mappoint::PushpinPtr& pin = row.pushpin;
    Step([&] { Required(pin->Location())->GoTo(); });

    QString pinName;
    QString parentName;
    const bool named = Step([&] {
        pinName = pin->Name();
        parentName = Required(pin->Parent())->Name();
    });
    if (!named)
        return;

    mappoint::DataSetsPtr dataSets;
    int32_t dataSetCount = 0;
    Step([&] {
        dataSets = Required(row.map)->DataSets();
        dataSetCount = Required(dataSets)->Count();
    });
    for (int32_t i = 1; i <= dataSetCount; ++i) {
        mappoint::DataSetPtr dataSet;
        bool sameName = false;
        Step([&] {
            dataSet = dataSets->Item(i);
            sameName = Required(dataSet)->Name() == parentName;
        });
        if (!sameName)
            continue;
        mappoint::RecordsetPtr records;
        if (!Step([&] {
                records = dataSet->QueryAllRecords();
                Required(records);
            }))
            continue;
        if (seekRecordNamed(*records, pinName))
            describeRecord(host, row.map, *records, format);
    }
}

} // namespace

void ShowPushpinInformation(RowActionHost& host) {
    g_sPushpinInfo.clear();
    const geo::CoordinateFormat format = geo::ChosenCoordinateFormat();
    ForEachSelectedRow(host, [&host, format](RowContext& row) {
        gatherRow(host, row, format);
        return RowOutcome::NextRow;
    });
    frmPushpin window(host.window());
    window.exec();
}

} // namespace actions
