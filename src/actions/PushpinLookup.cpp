#include "PushpinLookup.h"

#include "FieldValueText.h"
#include "Required.h"
#include "addin/LowerCaseMatch.h"

#include "addin/FailureStyle.h"
#include "mappoint/DataSet.h"
#include "mappoint/DataSets.h"
#include "mappoint/Field.h"
#include "mappoint/Fields.h"
#include "mappoint/Location.h"
#include "mappoint/Map.h"
#include "mappoint/Pushpin.h"
#include "mappoint/Recordset.h"
#include "qtcompat/QtCompat.h"

#include <QLocale>

using locastra::Step;

namespace actions {

mappoint::PushpinPtr FindPushpinForRow(const mappoint::MapPtr& map, const QString& rowText) {
    return Required(map)->FindPushpin(rowText);
}

namespace {

bool isNumberType(int typeId) {
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

// Compares field values with the row text. Numbers become text only when the row text
// could be a number's text at all (digits, signs, exponent, decimal separator, "inf",
// "nan"): most row texts are names, and converting every number of every record to
// text would dominate a long search.
class FieldValueMatcher {
public:
    explicit FieldValueMatcher(const locastra::LowerCaseMatch& matcher, const QString& rowText)
        : matcher_(matcher) {
        const QChar decimal = qtcompat::decimalPoint(QLocale()).at(0);
        static const QString numberChars = QStringLiteral("0123456789+-.einfa");
        for (const QChar c : QLocale().toLower(rowText))
            if (c != decimal && !numberChars.contains(c)) {
                couldBeNumber_ = false;
                break;
            }
    }

    bool matches(const QVariant& value) const {
        if (IsNoValue(value))
            return false;
        if (!couldBeNumber_ && isNumberType(qtcompat::typeId(value)))
            return false;
        return matcher_.equals(FieldValueText(value));
    }

private:
    const locastra::LowerCaseMatch& matcher_;
    bool couldBeNumber_ = true;
};

void actOnNameMatch(const mappoint::MapPtr& map, const mappoint::PushpinPtr& pin) {
    Step([&] { Required(Required(pin)->Location())->GoTo(); });
    Step([&] { Required(map)->SetAltitude(CloseUpAltitude); });
    Step([&] { Required(pin)->SetBalloonState(mappoint::geoDisplayBalloon); });
}

void actOnFieldMatch(const mappoint::MapPtr& map, const mappoint::PushpinPtr& pin) {
    Step([&] { Required(pin)->SetBalloonState(mappoint::geoDisplayBalloon); });
    Step([&] { Required(Required(pin)->Location())->GoTo(); });
    Step([&] { Required(pin)->Select(); });
    Step([&] { Required(map)->SetAltitude(CloseUpAltitude); });
}

// Looks at the record the record set stands on. Returns whether it matched (and was
// acted on).
bool searchRecord(const mappoint::MapPtr& map, mappoint::Recordset& records,
                  const locastra::LowerCaseMatch& matcher, const FieldValueMatcher& valueMatcher) {
    mappoint::PushpinPtr pin;
    Step([&] { pin = records.Pushpin(); });

    bool nameMatches = false;
    Step([&] { nameMatches = matcher.equals(Required(pin)->Name()); });
    if (nameMatches) {
        actOnNameMatch(map, pin);
        return true;
    }

    mappoint::FieldsPtr fields;
    int32_t fieldCount = 0;
    Step([&] {
        fields = records.Fields();
        fieldCount = Required(fields)->Count();
    });
    for (int32_t j = 1; j <= fieldCount; ++j) {
        bool valueMatches = false;
        Step([&] { valueMatches = valueMatcher.matches(Required(fields->Item(j))->Value()); });
        if (valueMatches) {
            actOnFieldMatch(map, pin);
            return true;
        }
    }
    return false;
}

} // namespace

bool SearchPushpinForRow(const mappoint::MapPtr& map, const QString& rowText) {
    const locastra::LowerCaseMatch matcher(rowText);
    const FieldValueMatcher valueMatcher(matcher, rowText);

    mappoint::DataSetsPtr dataSets;
    int32_t dataSetCount = 0;
    if (!Step([&] {
            dataSets = Required(map)->DataSets();
            dataSetCount = Required(dataSets)->Count();
        }))
        return false;

    for (int32_t i = 1; i <= dataSetCount; ++i) {
        mappoint::RecordsetPtr records;
        if (!Step([&] {
                records = Required(dataSets->Item(i))->QueryAllRecords();
                Required(records);
            }))
            continue;
        for (;;) {
            // A record set that cannot tell its end or cannot move on ends this dataset's
            // walk (going on would look at the same record forever).
            bool atEnd = true;
            if (!Step([&] { atEnd = records->Eof(); }) || atEnd)
                break;
            if (searchRecord(map, *records, matcher, valueMatcher))
                return true;
            if (!Step([&] { records->MoveNext(); }))
                break;
        }
    }
    return false;
}

} // namespace actions
