#include "AddinsDialog.h"

#include "AddinManager.h"
#include "automation/AddinConnection.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace maphost {

AddinsDialog::AddinsDialog(AddinManager& manager, QWidget* parent)
    : QDialog(parent), manager_(manager), list_(new QListWidget(this)),
      description_(new QLabel(this)), status_(new QLabel(this)) {
    setObjectName(QStringLiteral("AddinsDialog"));
    setWindowTitle(tr("Add-ins"));
    list_->setObjectName(QStringLiteral("AddinList"));
    description_->setObjectName(QStringLiteral("AddinDescription"));
    description_->setWordWrap(true);
    status_->setObjectName(QStringLiteral("AddinStatus"));
    status_->setWordWrap(true);
    status_->setStyleSheet(QStringLiteral("color: #a01010"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Available add-ins:"), this));
    layout->addWidget(list_, 1);
    layout->addWidget(description_);
    layout->addWidget(status_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    connect(list_, &QListWidget::itemChanged, this, &AddinsDialog::itemChanged);
    connect(list_, &QListWidget::currentRowChanged, this, &AddinsDialog::showDetails);
    resize(420, 320);
    fill();
}

QString AddinsDialog::statusText() const {
    return status_->text();
}

void AddinsDialog::fill() {
    const QSignalBlocker block(list_);
    list_->clear();
    for (int i = 0; i < manager_.count(); ++i) {
        const AddinManager::Addin& addin = manager_.addin(i);
        auto* item = new QListWidgetItem(addin.record.displayName, list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(addin.connected ? Qt::Checked : Qt::Unchecked);
        item->setToolTip(addin.record.library);
    }
    if (list_->count() > 0)
        list_->setCurrentRow(0);
    showDetails();
}

void AddinsDialog::showDetails() {
    const int row = list_->currentRow();
    if (row < 0 || row >= manager_.count()) {
        description_->clear();
        return;
    }
    const AddinManager::Addin& addin = manager_.addin(row);
    description_->setText(addin.record.description);
    if (!addin.error.isEmpty())
        status_->setText(addin.error);
}

void AddinsDialog::itemChanged(QListWidgetItem* item) {
    const int row = list_->row(item);
    if (row < 0 || row >= manager_.count())
        return;
    status_->clear();
    if (item->checkState() == Qt::Checked) {
        if (!manager_.connectAddin(row, automation::ConnectAfterStartup)) {
            status_->setText(manager_.addin(row).error);
            const QSignalBlocker block(list_);
            item->setCheckState(Qt::Unchecked);
            return;
        }
        // The choice lasts: a checked add-in comes back at the next start.
        manager_.registry().setLoadBehavior(manager_.addin(row).record.key, 3);
    } else {
        manager_.disconnectAddin(row, AddinManager::UserClosed);
        manager_.registry().setLoadBehavior(manager_.addin(row).record.key, 0);
    }
    manager_.reload();
    list_->setCurrentRow(row);
}

} // namespace maphost
