#include "ResultRowHost.h"

#include "ResultListModel.h"
#include "ResultListView.h"
#include "StatusBar.h"
#include "frmAddIn.h"

#include <QItemSelectionModel>

namespace toolwindow {

int ResultRowHost::rowCount() const {
    return form_.ResultRows()->rowCount();
}

bool ResultRowHost::isRowSelected(int row) const {
    const QItemSelectionModel* selection = form_.ListView1->selectionModel();
    return selection && selection->isRowSelected(row - 1, {});
}

QString ResultRowHost::rowText(int row) const {
    return form_.ResultRows()->text(row - 1);
}

void ResultRowHost::setRowSmallIcon(int row, int imageIndex) {
    form_.ResultRows()->setImageIndex(row - 1, imageIndex);
}

void ResultRowHost::removeRow(int row) {
    form_.ResultRows()->removeRows(row - 1, 1);
}

QWidget* ResultRowHost::window() {
    return &form_;
}

void ResultRowHost::setStatusText(const QString& text) {
    form_.StatusBar1->setPanelText(1, text);
}

double& ResultRowHost::thelat() {
    return form_.thelat;
}

double& ResultRowHost::thelon() {
    return form_.thelon;
}

} // namespace toolwindow
