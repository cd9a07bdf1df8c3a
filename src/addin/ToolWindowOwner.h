#pragma once

#include "mappoint/Types.h"

namespace locastra {

// What the tool window needs of the add-in object that shows it: hiding the window
// through the add-in (so its displayed flag follows) and the host Application
// handed over at connection.
class ToolWindowOwner {
public:
    virtual ~ToolWindowOwner() = default;
    virtual void Hide() = 0;
    virtual mappoint::ApplicationPtr hostApplication() const = 0;
};

} // namespace locastra
