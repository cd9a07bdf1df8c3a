#pragma once

#include "Types.h"

#include <QString>

namespace mappoint {

class DataSet : public automation::Object {
public:
    virtual QString Name() = 0;
    virtual void SetName(const QString& name) = 0;
    // The dataset's symbol; setting it gives every pushpin of the dataset that symbol.
    virtual int16_t Symbol() = 0;
    virtual void SetSymbol(int16_t symbol) = 0;
    // The number of records QueryAllRecords yields.
    virtual int32_t RecordCount() = 0;
    // The dataset's field definitions (Value of such a field fails).
    virtual FieldsPtr Fields() = 0;
    // A record set over every record, positioned on the first.
    virtual RecordsetPtr QueryAllRecords() = 0;
    // A record set over the records inside an area shape (Type 1, 5 or 9); fails
    // for any other shape.
    virtual RecordsetPtr QueryShape(ShapePtr shape) = 0;
    // Shows the whole dataset on the map.
    virtual void ZoomTo() = 0;
    // Removes the dataset and its pushpins from the map.
    virtual void Delete() = 0;
};

} // namespace mappoint
