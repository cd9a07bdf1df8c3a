#pragma once

#include "FaultInjector.h"
#include "automation/Error.h"
#include "mappoint/Types.h"

#include <QStringList>
#include <exception>
#include <memory>

// A fault-injecting wrapper around the host object model. In a failure-style test:
//
//   auto injector = std::make_shared<faults::FaultInjector>();
//   faults::registerFaultyApplication(hostApplication, injector);
//   injector->failNth("Pushpin.Name", 3);          // the third Name read fails
//   injector->failAlways("", "Benchmark");          // every call on that dataset fails
//   ... run the command, which attaches by "MapPoint.Application" ...
//   EXPECT_EQ(injector->callCount("Map.Distance"), 3);
//
// Member names are "Interface.Member" with the C++ member name, so property writes
// read "Pushpin.SetSymbol", "Map.SetAltitude", "DataSet.SetSymbol".
namespace faults {

// Wrap an object of the real model so that every call through it (and through
// everything reached from it) goes past the injector. Empty stays empty.
mappoint::ApplicationPtr wrap(mappoint::ApplicationPtr inner,
                              const std::shared_ptr<FaultInjector>& injector);
mappoint::MapPtr wrap(mappoint::MapPtr inner, const std::shared_ptr<FaultInjector>& injector);
mappoint::DataSetsPtr wrap(mappoint::DataSetsPtr inner,
                           const std::shared_ptr<FaultInjector>& injector);
mappoint::DataSetPtr wrap(mappoint::DataSetPtr inner,
                          const std::shared_ptr<FaultInjector>& injector);
mappoint::PushpinPtr wrap(mappoint::PushpinPtr inner,
                          const std::shared_ptr<FaultInjector>& injector);
mappoint::MapObjectPtr wrap(mappoint::MapObjectPtr inner,
                            const std::shared_ptr<FaultInjector>& injector);
mappoint::SymbolsPtr wrap(mappoint::SymbolsPtr inner,
                          const std::shared_ptr<FaultInjector>& injector);
mappoint::SymbolPtr wrap(mappoint::SymbolPtr inner, const std::shared_ptr<FaultInjector>& injector);
mappoint::ShapePtr wrap(mappoint::ShapePtr inner, const std::shared_ptr<FaultInjector>& injector);
// These belong to a dataset or pushpin; owner names it for rules by object.
mappoint::RecordsetPtr wrap(mappoint::RecordsetPtr inner,
                            const std::shared_ptr<FaultInjector>& injector, QStringList owner);
mappoint::FieldsPtr wrap(mappoint::FieldsPtr inner, const std::shared_ptr<FaultInjector>& injector,
                         QStringList owner);
mappoint::FieldPtr wrap(mappoint::FieldPtr inner, const std::shared_ptr<FaultInjector>& injector,
                        QStringList owner);
mappoint::LocationPtr wrap(mappoint::LocationPtr inner,
                           const std::shared_ptr<FaultInjector>& injector, QStringList owner);

// The real object behind a wrapper (objects handed back into the model, such as
// the locations given to Distance); an unwrapped object is returned as it is.
mappoint::LocationPtr unwrap(const mappoint::LocationPtr& object);
mappoint::DataSetPtr unwrap(const mappoint::DataSetPtr& object);
mappoint::ShapePtr unwrap(const mappoint::ShapePtr& object);

// Wraps application and registers the wrapper as the running "MapPoint.Application",
// so commands that attach by class name reach the faulty model.
mappoint::ApplicationPtr registerFaultyApplication(mappoint::ApplicationPtr application,
                                                   const std::shared_ptr<FaultInjector>& injector);

// An object's name for rules by object; empty when it cannot be read (deleted).
template <class T> QString safeName(const std::shared_ptr<T>& object) {
    try {
        return object->Name();
    } catch (const automation::Error&) {
        return {};
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace faults
