#include "DataSetProgress.h"

#include "StatusBar.h"
#include "addin/FailureStyle.h"
#include "automation/Error.h"
#include "frmAddIn.h"
#include "mappoint/DataSet.h"

#include <QProgressBar>

namespace toolwindow {

void DataSetProgress::start(const mappoint::DataSetPtr& dataSet) {
    using locastra::Step;
    QProgressBar* bar = form_.ProgressBar1;
    Step([&] {
        int16_t panel = 1;
        form_.MoveProgressBarIntoPanel(bar, form_.StatusBar1, panel);
    });
    Step([&] { form_.StatusBar1->setPanelBevel(1, StatusBar::Inset); });
    Step([&] {
        const int32_t count = dataSet->RecordCount();
        if (count <= 0)
            throw automation::Error(380, QStringLiteral("Invalid property value"));
        bar->setMaximum(count);
    });
    bar->setVisible(true);
    value_ = 0;
    bar->setValue(0);
}

void DataSetProgress::show() {
    QProgressBar* bar = form_.ProgressBar1;
    const int value = std::min(value_, bar->maximum());
    if (bar->value() != value)
        bar->setValue(value);
}

void DataSetProgress::hide() {
    form_.ProgressBar1->setVisible(false);
}

} // namespace toolwindow
