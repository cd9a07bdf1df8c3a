#include "Calc.h"

#include "CalcApplication.h"
#include "Office.h"
#include "automation/ClassRegistry.h"
#include "spreadsheet/Types.h"

namespace spreadsheet::calc {

void Register(const Options& options) {
    Office::instance().configure(options);
    automation::RegisterClassFactory(ApplicationClassName,
                                     [] { return std::make_shared<CalcApplication>(); });
}

void Disconnect() {
    automation::RegisterClassFactory(ApplicationClassName, {});
    Office::instance().disconnect();
}

} // namespace spreadsheet::calc
