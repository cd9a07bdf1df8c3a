#include "ClassRegistry.h"

#include <QHash>
#include <mutex>
#include <utility>

namespace automation {

namespace {
struct Registry {
    std::mutex lock;
    QHash<QString, ObjectPtr> running;
    QHash<QString, Factory> factories;

    // Instances still registered at exit are released while the lock is still
    // usable: their destructors may revoke themselves.
    ~Registry() {
        QHash<QString, ObjectPtr> remaining;
        {
            std::lock_guard g(lock);
            remaining.swap(running);
        }
    }
};

Registry& registry() {
    static Registry r;
    return r;
}
} // namespace

void detail::throwWrongKind(const QString& className) {
    throw Error(errors::NotSupported,
                QStringLiteral("The object registered as \"%1\" does not offer the expected "
                               "interface")
                    .arg(className));
}

void RegisterActiveObject(const QString& className, ObjectPtr object) {
    auto& r = registry();
    // The replaced instance is released outside the lock: its destructor may revoke
    // itself.
    ObjectPtr replaced;
    std::lock_guard g(r.lock);
    ObjectPtr& slot = r.running[className];
    replaced = std::exchange(slot, std::move(object));
}

void RevokeActiveObject(const QString& className, const Object* object) {
    auto& r = registry();
    ObjectPtr revoked;
    std::lock_guard g(r.lock);
    auto it = r.running.find(className);
    if (it != r.running.end() && it.value().get() == object) {
        revoked = std::move(it.value());
        r.running.erase(it);
    }
}

ObjectPtr GetObject(const QString& className) {
    auto& r = registry();
    std::lock_guard g(r.lock);
    auto it = r.running.constFind(className);
    if (it == r.running.constEnd() || !it.value())
        throw Error(errors::CannotCreateObject,
                    QStringLiteral("No running instance of \"%1\" is registered").arg(className));
    return it.value();
}

void RegisterClassFactory(const QString& className, Factory factory) {
    auto& r = registry();
    std::lock_guard g(r.lock);
    if (factory)
        r.factories.insert(className, std::move(factory));
    else
        r.factories.remove(className);
}

ObjectPtr CreateObject(const QString& className) {
    Factory factory;
    {
        auto& r = registry();
        std::lock_guard g(r.lock);
        factory = r.factories.value(className);
    }
    if (!factory)
        throw Error(errors::CannotCreateObject,
                    QStringLiteral("The class \"%1\" is not available").arg(className));
    ObjectPtr object;
    try {
        object = factory();
    } catch (const Error&) {
        throw;
    } catch (const std::exception& e) {
        throw Error(errors::CannotCreateObject,
                    QStringLiteral("The class \"%1\" could not be created: %2")
                        .arg(className, QString::fromUtf8(e.what())));
    }
    if (!object)
        throw Error(errors::CannotCreateObject,
                    QStringLiteral("The class \"%1\" could not be created").arg(className));
    return object;
}

} // namespace automation
