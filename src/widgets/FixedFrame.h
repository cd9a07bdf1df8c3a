#pragma once

#include <Qt>

// The window flags of a fixed frame of the given kind (Qt::Dialog, Qt::Tool): a title
// and a close box, no minimise or maximise box, not resizable by its border.
inline Qt::WindowFlags FixedFrame(Qt::WindowType kind) {
    return kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
           Qt::MSWindowsFixedSizeDialogHint;
}
