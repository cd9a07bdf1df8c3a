#pragma once

#include "maphost/view/DrawingTool.h"

#include <QIcon>

namespace maphost {

// Small line-art icons for the tool bar, drawn at run time so the host needs no
// image files.
QIcon drawingToolIcon(DrawingTool tool);
QIcon zoomIcon(bool in);

} // namespace maphost
