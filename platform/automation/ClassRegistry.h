#pragma once

#include "Object.h"

#include <QString>
#include <functional>

namespace automation {

// The running-object table and the creatable-class factories, keyed by class name
// ("MapPoint.Application", "Excel.Application"). One process-wide registry.
using Factory = std::function<ObjectPtr()>;

// Registers a running instance; a later registration under the same name replaces it.
void RegisterActiveObject(const QString& className, ObjectPtr object);
// Removes the running instance, only if it is still the one given.
void RevokeActiveObject(const QString& className, const Object* object);

// The running instance under className; throws Error 429 when none runs.
ObjectPtr GetObject(const QString& className);

// Makes className creatable; an empty factory removes it.
void RegisterClassFactory(const QString& className, Factory factory);
// A new instance from the factory; throws Error 429 when the class is not available
// or the factory itself fails.
ObjectPtr CreateObject(const QString& className);

// Typed conveniences: throw Error 438 when the object is not of the expected kind.
template <class T> std::shared_ptr<T> GetObjectAs(const QString& className);
template <class T> std::shared_ptr<T> CreateObjectAs(const QString& className);

} // namespace automation

#include "ClassRegistry.inl"
