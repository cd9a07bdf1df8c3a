#pragma once

#include "mappoint/Types.h"

namespace toolwindow {

class frmAddIn;
class DataSetProgress;
class MessagePump;

// Get All: one row for every record of the chosen dataset(s), no match test and no
// duplicate rule. While it runs the button reads "Stop"; a click on it (or on Find's
// Stop) ends the loop.
class ListAllPushpins {
public:
    explicit ListAllPushpins(frmAddIn& form) : form_(form) {}

    // The click on Get All.
    void click();

private:
    void listDataSet(const mappoint::DataSetPtr& dataSet, DataSetProgress& progress,
                     MessagePump& pump);
    void flushRows();
    void endBlock();

    frmAddIn& form_;
    bool finished_ = false;
};

} // namespace toolwindow
