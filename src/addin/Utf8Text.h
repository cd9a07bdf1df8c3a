#pragma once

#include <QByteArray>
#include <QStringView>

namespace locastra {

// Appends text to out as UTF-8 without a temporary array (the export's lines are
// built this way in one reused buffer).
void AppendUtf8(QByteArray& out, QStringView text);

} // namespace locastra
