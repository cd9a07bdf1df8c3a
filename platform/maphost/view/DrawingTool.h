#pragma once

namespace maphost {

// What a press on the map does: select and pan, or draw one shape.
enum class DrawingTool {
    None,
    Rectangle,
    Oval,
    RadiusCircle,
    Freeform,
    DriveTimeZone,
    Line,
    TextBox
};

} // namespace maphost
