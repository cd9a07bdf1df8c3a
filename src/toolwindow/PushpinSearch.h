#pragma once

#include "mappoint/Types.h"

#include <cstdint>

namespace locastra {
class LowerCaseMatch;
}

namespace toolwindow {

class frmAddIn;
class DataSetProgress;
class MessagePump;

// Find: the exact-name lookup, then every pushpin of the chosen dataset(s) whose
// lower-cased name contains the lower-cased search text. While it runs the Find
// button reads "Stop"; a click on it (or on Get All's Stop) ends the loop.
class PushpinSearch {
public:
    explicit PushpinSearch(frmAddIn& form) : form_(form) {}

    // The click on Find (or Enter in the search box).
    void click();

private:
    void searchDataSet(const mappoint::DataSetPtr& dataSet, DataSetProgress& progress,
                       MessagePump& pump, locastra::LowerCaseMatch& match);
    void endBlock(int32_t matches, int32_t records);

    frmAddIn& form_;
    int32_t records_ = 0;
    int32_t matches_ = 0;
    bool finished_ = false;
};

} // namespace toolwindow
