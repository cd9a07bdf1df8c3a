#pragma once

#include <QString>

class QWidget;

namespace actions {

// What the result-list actions need of the tool window: its rows (1-based, in list
// order), their selection and pictures, the window as parent for the dialogs it
// opens, its status bar, and the public position variables the derivation writes into.
class RowActionHost {
public:
    virtual ~RowActionHost() = default;

    virtual int rowCount() const = 0;
    virtual bool isRowSelected(int row) const = 0;
    virtual QString rowText(int row) const = 0;
    // Sets the row's small icon to a 1-based Symbol image index.
    virtual void setRowSmallIcon(int row, int imageIndex) = 0;
    virtual void removeRow(int row) = 0;

    virtual QWidget* window() = 0;
    // Panel 1 of the window's status bar.
    virtual void setStatusText(const QString& text) = 0;
    virtual double& thelat() = 0;
    virtual double& thelon() = 0;
};

} // namespace actions
