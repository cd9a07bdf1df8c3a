#include "AddinLibrary.h"

#include "AddinConnection.h"
#include "Error.h"

#include <QFileInfo>
#include <QJsonObject>
#include <QPluginLoader>

namespace automation {

namespace {
[[noreturn]] void fail(const QString& reason) {
    throw Error(errors::FileError, reason);
}
} // namespace

AddinRecord ReadAddinRecord(const QString& library) {
    const QFileInfo info(library);
    if (!info.exists())
        fail(QStringLiteral("The add-in library \"%1\" was not found.").arg(library));
    QPluginLoader loader(info.absoluteFilePath());
    const QJsonObject meta = loader.metaData();
    if (meta.isEmpty())
        fail(QStringLiteral("\"%1\" is not an add-in library: %2")
                 .arg(library, loader.errorString()));
    // The record's keys sit at the top of the plugin's metadata or in its "addin" object.
    QJsonObject data = meta.value(QStringLiteral("MetaData")).toObject();
    if (data.value(QStringLiteral("addin")).isObject())
        data = data.value(QStringLiteral("addin")).toObject();
    AddinRecord record;
    record.className = data.value(QStringLiteral("class")).toString();
    if (record.className.isEmpty())
        record.className = data.value(QStringLiteral("className")).toString();
    if (record.className.isEmpty())
        fail(QStringLiteral("The add-in library \"%1\" names no add-in class.").arg(library));
    record.library = info.absoluteFilePath();
    QString base = info.completeBaseName();
    if (base.startsWith(QStringLiteral("lib")))
        base.remove(0, 3);
    record.key = base + u'.' + record.className;
    record.displayName = data.value(QStringLiteral("displayName")).toString(base);
    record.description = data.value(QStringLiteral("description")).toString();
    record.loadBehavior = data.value(QStringLiteral("loadBehavior")).toInt(0);
    return record;
}

LoadedAddin::LoadedAddin(const AddinRecord& record) : record_(record) {
    if (record.library.isEmpty() || !QFileInfo::exists(record.library))
        fail(QStringLiteral("The add-in library \"%1\" was not found.").arg(record.library));
    loader_ = std::make_unique<QPluginLoader>(record.library);
    if (!loader_->load())
        fail(QStringLiteral("The add-in library \"%1\" could not be loaded: %2")
                 .arg(record.library, loader_->errorString()));
    QObject* root = loader_->instance();
    if (auto* factory = qobject_cast<AddinFactory*>(root)) {
        object_ = factory->CreateAddin(record.className);
        ownsObject_ = true;
        if (!object_)
            fail(QStringLiteral("The add-in library \"%1\" has no add-in class \"%2\".")
                     .arg(record.library, record.className));
    } else {
        object_ = root;
    }
    connection_ = qobject_cast<AddinConnection*>(object_.data());
    if (!connection_) {
        if (ownsObject_)
            delete object_.data();
        fail(QStringLiteral("The add-in \"%1\" does not offer the add-in connection interface.")
                 .arg(record.displayName));
    }
}

LoadedAddin::~LoadedAddin() {
    if (ownsObject_ && object_)
        delete object_.data();
}

void LoadedAddin::connect(ObjectPtr application, int connectMode) {
    const auto failed = [&](const QString& reason) {
        fail(QStringLiteral("The add-in \"%1\" failed to connect: %2")
                 .arg(record_.displayName, reason));
    };
    try {
        connection_->OnConnection(std::move(application), connectMode, nullptr, QVariant());
    } catch (const Error& error) {
        failed(error.description());
    } catch (const std::exception& error) {
        failed(QString::fromLocal8Bit(error.what()));
    }
}

void LoadedAddin::disconnect(int removeMode) {
    if (!object_)
        return;
    try {
        connection_->OnDisconnection(removeMode, QVariant());
    } catch (const Error&) {
    } catch (const std::exception&) {
        // The add-in goes regardless.
    }
}

} // namespace automation
