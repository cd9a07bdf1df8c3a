#pragma once

#include "Types.h"

#include <QString>

namespace mappoint {

class Symbol : public automation::Object {
public:
    virtual QString Name() = 0;
    virtual void SetName(const QString& name) = 0;
    virtual int16_t ID() = 0;
};

} // namespace mappoint
