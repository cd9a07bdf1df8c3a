#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace maphost {

class AddinManager;

// "Add-ins...": the add-in records with check boxes. Checking one connects it
// (ConnectMode 0), unchecking disconnects it; a failure is shown in the dialog.
class AddinsDialog : public QDialog {
    Q_OBJECT
public:
    explicit AddinsDialog(AddinManager& manager, QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    QString statusText() const;

private:
    void fill();
    void itemChanged(QListWidgetItem* item);
    void showDetails();

    AddinManager& manager_;
    QListWidget* list_;
    QLabel* description_;
    QLabel* status_;
};

} // namespace maphost
