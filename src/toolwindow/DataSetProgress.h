#pragma once

#include "mappoint/Types.h"

namespace toolwindow {

class frmAddIn;

// The progress bar of a long loop over one dataset at a time: seated over panel 1
// of the status bar, its maximum the dataset's record count. The value is counted
// here and handed to the bar by show(), which the loops call when their message
// pump runs and at the end (setting the bar per record costs more than the record).
class DataSetProgress {
public:
    explicit DataSetProgress(frmAddIn& form) : form_(form) {}

    // Seats and shows the bar for a dataset, value 0. Each step skips its own failure:
    // a zero record count cannot become the maximum, and the bar keeps the old one.
    void start(const mappoint::DataSetPtr& dataSet);
    // One record more. A value above the maximum stays at the maximum.
    void tick() { ++value_; }
    // Hands the counted value to the bar.
    void show();
    // Hides the bar (end block).
    void hide();

private:
    frmAddIn& form_;
    int value_ = 0;
};

} // namespace toolwindow
