#pragma once

#include "actions/RowActionHost.h"

namespace toolwindow {

class frmAddIn;

// The tool window as the result-list actions see it: rows numbered from 1 in list
// order, their selection and pictures, and the window's thelat/thelon.
class ResultRowHost : public actions::RowActionHost {
public:
    explicit ResultRowHost(frmAddIn& form) : form_(form) {}

    int rowCount() const override;
    bool isRowSelected(int row) const override;
    QString rowText(int row) const override;
    void setRowSmallIcon(int row, int imageIndex) override;
    void removeRow(int row) override;
    QWidget* window() override;
    void setStatusText(const QString& text) override;
    double& thelat() override;
    double& thelon() override;

private:
    frmAddIn& form_;
};

} // namespace toolwindow
