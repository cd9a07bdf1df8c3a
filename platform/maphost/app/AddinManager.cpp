#include "AddinManager.h"

#include "automation/AddinConnection.h"
#include "automation/AddinLibrary.h"
#include "automation/Error.h"
#include "maphost/model/HostApplication.h"

namespace maphost {

// What a connected add-in holds: its library and the add-in object.
struct AddinManager::Slot {
    std::unique_ptr<automation::LoadedAddin> addin;
};

AddinManager::AddinManager(std::shared_ptr<HostApplication> application, AddinRegistry registry,
                           QObject* parent)
    : QObject(parent), application_(std::move(application)), registry_(std::move(registry)) {
    reload();
}

AddinManager::~AddinManager() {
    disconnectAll();
}

void AddinManager::reload() {
    const QVector<AddinRecord> records = registry_.records();
    QVector<Addin> next;
    std::vector<std::unique_ptr<Slot>> nextSlots;
    for (const AddinRecord& record : records) {
        Addin addin{record, false, {}};
        std::unique_ptr<Slot> slot;
        for (int i = 0; i < addins_.size(); ++i) {
            if (addins_[i].record.key == record.key && slots_[size_t(i)]) {
                addin.connected = addins_[i].connected;
                addin.error = addins_[i].error;
                slot = std::move(slots_[size_t(i)]);
            }
        }
        next.push_back(addin);
        nextSlots.push_back(std::move(slot));
    }
    // Records that vanished while connected stay connected until the host ends.
    for (int i = 0; i < addins_.size(); ++i) {
        if (slots_[size_t(i)]) {
            next.push_back(addins_[i]);
            nextSlots.push_back(std::move(slots_[size_t(i)]));
        }
    }
    addins_ = next;
    slots_ = std::move(nextSlots);
    emit addinsChanged();
}

const AddinManager::Addin& AddinManager::addin(int index) const {
    return addins_.at(index);
}

void AddinManager::connectAtStartup() {
    for (int i = 0; i < count(); ++i) {
        if (addins_[i].record.loadsAtStartup() && !addins_[i].connected)
            connectAddin(i, automation::ConnectStartup);
    }
}

bool AddinManager::connectAddin(int index, int connectMode) {
    if (index < 0 || index >= count())
        return false;
    Addin& addin = addins_[index];
    if (addin.connected)
        return true;
    const AddinRecord& record = addin.record;

    auto fail = [&](const QString& reason) {
        addins_[index].error = reason;
        slots_[size_t(index)].reset();
        emit addinFailed(addins_[index].record.displayName, reason);
        emit addinsChanged();
        return false;
    };

    auto slot = std::make_unique<Slot>();
    try {
        slot->addin = std::make_unique<automation::LoadedAddin>(record);
    } catch (const automation::Error& error) {
        return fail(error.description());
    }
    automation::LoadedAddin* held = slot->addin.get();
    slots_[size_t(index)] = std::move(slot);
    addin.connected = true;
    addin.error.clear();
    try {
        held->connect(application_, connectMode);
    } catch (const automation::Error& error) {
        disconnectAddin(index, UserClosed);
        return fail(error.description());
    }
    emit addinsChanged();
    return true;
}

void AddinManager::disconnectAddin(int index, int removeMode) {
    if (index < 0 || index >= count() || !addins_[index].connected)
        return;
    addins_[index].connected = false;
    std::unique_ptr<Slot> slot = std::move(slots_[size_t(index)]);
    if (slot && slot->addin->object()) {
        slot->addin->disconnect(removeMode);
        // Commands the add-in left behind must not outlive it.
        if (QObject* object = slot->addin->object())
            application_->RemoveCommands(object);
    }
    emit addinsChanged();
}

void AddinManager::disconnectAll() {
    for (int i = 0; i < count(); ++i)
        disconnectAddin(i, HostShutdown);
}

} // namespace maphost
