#include "StopButton.h"

#include "DataSetProgress.h"
#include "frmAddIn.h"
#include "widgets/chameleonButton.h"

namespace toolwindow {

namespace {
const QString FindCaption = QStringLiteral("Find");
const QString GetAllCaption = QStringLiteral("Get All");
const QString StopCaption = QStringLiteral("Stop");
} // namespace

StopButton StopButton::find(frmAddIn& form) {
    return {form, *form.cmdFindPushpin, FindCaption};
}

StopButton StopButton::getAll(frmAddIn& form) {
    return {form, *form.ButtonShowAll, GetAllCaption};
}

bool StopButton::readsStop() const {
    return button_.Caption() == StopCaption;
}

void StopButton::stop() {
    form_.StopFlag = true;
    button_.setCaption(caption_);
}

void StopButton::start() {
    button_.setCaption(StopCaption);
    form_.StopFlag = false;
    form_.setCursor(Qt::WaitCursor);
}

void StopButton::end() {
    DataSetProgress(form_).hide();
    button_.setCaption(caption_);
    form_.unsetCursor();
}

} // namespace toolwindow
