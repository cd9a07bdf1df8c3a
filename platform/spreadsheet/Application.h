#pragma once

#include "Types.h"

namespace spreadsheet {

// A spreadsheet application instance, running as its own process. A new instance is
// invisible; once made visible, the workbooks it opened stay open for the user after
// every client reference is released.
class Application : public automation::Object {
public:
    virtual bool Visible() = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual WorkbooksPtr Workbooks() = 0;
};

} // namespace spreadsheet
