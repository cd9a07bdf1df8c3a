#include "FaultWrap.h"

#include "FaultApplication.h"
#include "FaultDataSet.h"
#include "FaultDataSets.h"
#include "FaultField.h"
#include "FaultFields.h"
#include "FaultLocation.h"
#include "FaultMap.h"
#include "FaultPushpin.h"
#include "FaultRecordset.h"
#include "FaultShape.h"
#include "FaultSymbol.h"
#include "FaultSymbols.h"
#include "automation/ClassRegistry.h"

namespace faults {

namespace {
template <class Wrapper, class Inner, class... Extra>
std::shared_ptr<Inner> wrapAs(std::shared_ptr<Inner> inner,
                              const std::shared_ptr<FaultInjector>& injector, Extra&&... extra) {
    if (!inner)
        return {};
    return std::make_shared<Wrapper>(std::move(inner), injector, std::forward<Extra>(extra)...);
}
} // namespace

mappoint::ApplicationPtr wrap(mappoint::ApplicationPtr inner,
                              const std::shared_ptr<FaultInjector>& injector) {
    return wrapAs<FaultApplication>(std::move(inner), injector);
}

mappoint::MapPtr wrap(mappoint::MapPtr inner, const std::shared_ptr<FaultInjector>& injector) {
    return wrapAs<FaultMap>(std::move(inner), injector);
}

mappoint::DataSetsPtr wrap(mappoint::DataSetsPtr inner,
                           const std::shared_ptr<FaultInjector>& injector) {
    return wrapAs<FaultDataSets>(std::move(inner), injector);
}

mappoint::DataSetPtr wrap(mappoint::DataSetPtr inner,
                          const std::shared_ptr<FaultInjector>& injector) {
    return wrapAs<FaultDataSet>(std::move(inner), injector);
}

mappoint::PushpinPtr wrap(mappoint::PushpinPtr inner,
                          const std::shared_ptr<FaultInjector>& injector) {
    return wrapAs<FaultPushpin>(std::move(inner), injector);
}

mappoint::MapObjectPtr wrap(mappoint::MapObjectPtr inner,
                            const std::shared_ptr<FaultInjector>& injector) {
    if (auto pushpin = std::dynamic_pointer_cast<mappoint::Pushpin>(inner))
        return wrap(std::move(pushpin), injector);
    if (auto shape = std::dynamic_pointer_cast<mappoint::Shape>(inner))
        return wrap(std::move(shape), injector);
    return inner;
}

mappoint::SymbolsPtr wrap(mappoint::SymbolsPtr inner,
                          const std::shared_ptr<FaultInjector>& injector) {
    return wrapAs<FaultSymbols>(std::move(inner), injector);
}

mappoint::SymbolPtr wrap(mappoint::SymbolPtr inner,
                         const std::shared_ptr<FaultInjector>& injector) {
    return wrapAs<FaultSymbol>(std::move(inner), injector);
}

mappoint::ShapePtr wrap(mappoint::ShapePtr inner, const std::shared_ptr<FaultInjector>& injector) {
    return wrapAs<FaultShape>(std::move(inner), injector);
}

mappoint::RecordsetPtr wrap(mappoint::RecordsetPtr inner,
                            const std::shared_ptr<FaultInjector>& injector, QStringList owner) {
    return wrapAs<FaultRecordset>(std::move(inner), injector, std::move(owner));
}

mappoint::FieldsPtr wrap(mappoint::FieldsPtr inner, const std::shared_ptr<FaultInjector>& injector,
                         QStringList owner) {
    return wrapAs<FaultFields>(std::move(inner), injector, std::move(owner));
}

mappoint::FieldPtr wrap(mappoint::FieldPtr inner, const std::shared_ptr<FaultInjector>& injector,
                        QStringList owner) {
    return wrapAs<FaultField>(std::move(inner), injector, std::move(owner));
}

mappoint::LocationPtr wrap(mappoint::LocationPtr inner,
                           const std::shared_ptr<FaultInjector>& injector, QStringList owner) {
    return wrapAs<FaultLocation>(std::move(inner), injector, std::move(owner));
}

mappoint::LocationPtr unwrap(const mappoint::LocationPtr& object) {
    if (auto* wrapper = dynamic_cast<FaultLocation*>(object.get()))
        return wrapper->inner();
    return object;
}

mappoint::DataSetPtr unwrap(const mappoint::DataSetPtr& object) {
    if (auto* wrapper = dynamic_cast<FaultDataSet*>(object.get()))
        return wrapper->inner();
    return object;
}

mappoint::ShapePtr unwrap(const mappoint::ShapePtr& object) {
    if (auto* wrapper = dynamic_cast<FaultShape*>(object.get()))
        return wrapper->inner();
    return object;
}

mappoint::ApplicationPtr registerFaultyApplication(mappoint::ApplicationPtr application,
                                                   const std::shared_ptr<FaultInjector>& injector) {
    auto wrapped = wrap(std::move(application), injector);
    automation::RegisterActiveObject(QStringLiteral("MapPoint.Application"), wrapped);
    return wrapped;
}

} // namespace faults
