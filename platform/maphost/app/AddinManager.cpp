#include "AddinManager.h"

#include "automation/AddinConnection.h"
#include "automation/Error.h"
#include "maphost/model/HostApplication.h"

#include <QFileInfo>
#include <QPluginLoader>
#include <QPointer>

namespace maphost {

// What a connected add-in holds: its library and the add-in object.
struct AddinManager::Slot {
    std::unique_ptr<QPluginLoader> loader;
    QPointer<QObject> object;
    bool ownsObject = false;
    automation::AddinConnection* connection = nullptr;
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

    if (record.library.isEmpty() || !QFileInfo::exists(record.library))
        return fail(QStringLiteral("The add-in library \"%1\" was not found.").arg(record.library));

    auto slot = std::make_unique<Slot>();
    slot->loader = std::make_unique<QPluginLoader>(record.library);
    if (!slot->loader->load())
        return fail(QStringLiteral("The add-in library \"%1\" could not be loaded: %2")
                        .arg(record.library, slot->loader->errorString()));
    QObject* root = slot->loader->instance();
    if (auto* factory = qobject_cast<automation::AddinFactory*>(root)) {
        slot->object = factory->CreateAddin(record.className);
        slot->ownsObject = true;
        if (!slot->object)
            return fail(QStringLiteral("The add-in library \"%1\" has no add-in class \"%2\".")
                            .arg(record.library, record.className));
    } else {
        slot->object = root;
    }
    slot->connection = qobject_cast<automation::AddinConnection*>(slot->object.data());
    if (!slot->connection) {
        if (slot->ownsObject)
            delete slot->object.data();
        return fail(QStringLiteral("The add-in \"%1\" does not offer the add-in connection "
                                   "interface.")
                        .arg(record.displayName));
    }

    Slot* held = slot.get();
    slots_[size_t(index)] = std::move(slot);
    addin.connected = true;
    addin.error.clear();
    try {
        held->connection->OnConnection(application_, connectMode, nullptr, QVariant());
    } catch (const automation::Error& error) {
        disconnectAddin(index, UserClosed);
        return fail(QStringLiteral("The add-in \"%1\" failed to connect: %2")
                        .arg(record.displayName, error.description()));
    } catch (const std::exception& error) {
        disconnectAddin(index, UserClosed);
        return fail(QStringLiteral("The add-in \"%1\" failed to connect: %2")
                        .arg(record.displayName, QString::fromLocal8Bit(error.what())));
    }
    emit addinsChanged();
    return true;
}

void AddinManager::disconnectAddin(int index, int removeMode) {
    if (index < 0 || index >= count() || !addins_[index].connected)
        return;
    addins_[index].connected = false;
    std::unique_ptr<Slot> slot = std::move(slots_[size_t(index)]);
    if (slot && slot->object) {
        try {
            slot->connection->OnDisconnection(removeMode, QVariant());
        } catch (const automation::Error&) {
        } catch (const std::exception&) {
            // The add-in goes regardless.
        }
        // Commands the add-in left behind must not outlive it.
        if (slot->object)
            application_->RemoveCommands(slot->object.data());
        if (slot->ownsObject && slot->object)
            delete slot->object.data();
    }
    // The library stays loaded: objects or callbacks of it may still be queued.
    emit addinsChanged();
}

void AddinManager::disconnectAll() {
    for (int i = 0; i < count(); ++i)
        disconnectAddin(i, HostShutdown);
}

} // namespace maphost
