#include "Calc.h"

#include "CalcApplication.h"
#include "Office.h"
#include "automation/ClassRegistry.h"

namespace spreadsheet::calc {

void Register(const Options& options) {
    Office::instance().configure(options);
    automation::RegisterClassFactory(ClassName, [] { return std::make_shared<CalcApplication>(); });
}

void Disconnect() {
    automation::RegisterClassFactory(ClassName, {});
    Office::instance().disconnect();
}

} // namespace spreadsheet::calc
