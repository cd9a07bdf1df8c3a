#pragma once

#include "AddinRecord.h"
#include "Object.h"

#include <QPointer>
#include <QString>
#include <memory>

class QObject;
class QPluginLoader;

namespace automation {

class AddinConnection;

// The record a plugin library describes in its metadata ("displayName",
// "description", "loadBehavior", "class" or "className"; at the top level or in an
// "addin" object). Throws Error naming the library and the reason when it is missing
// or carries no usable metadata.
AddinRecord ReadAddinRecord(const QString& library);

// An add-in library loaded and its add-in object created, as every host loads one:
// the library's root object is an AddinFactory asked for the record's class (or is
// the add-in itself), and the add-in offers the AddinConnection interface.
class LoadedAddin {
public:
    // Throws Error with the reason a user is shown when the library is missing,
    // cannot be loaded, has no such class or no connection interface.
    explicit LoadedAddin(const AddinRecord& record);
    // Deletes the add-in object it created. The library stays loaded: objects or
    // callbacks of it may still be queued.
    ~LoadedAddin();
    LoadedAddin(const LoadedAddin&) = delete;
    LoadedAddin& operator=(const LoadedAddin&) = delete;

    // The add-in object (the target of its commands); null once it deleted itself.
    QObject* object() const { return object_.data(); }

    // OnConnection; a failure throws Error "The add-in ... failed to connect: ...".
    void connect(ObjectPtr application, int connectMode);
    // OnDisconnection; its failures are ignored, the add-in goes regardless.
    void disconnect(int removeMode);

private:
    AddinRecord record_;
    std::unique_ptr<QPluginLoader> loader_;
    QPointer<QObject> object_;
    bool ownsObject_ = false;
    AddinConnection* connection_ = nullptr;
};

} // namespace automation
