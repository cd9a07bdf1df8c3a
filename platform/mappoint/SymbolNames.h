#pragma once

#include <QString>

namespace mappoint {

// The name a host gives built-in symbol id ("Symbol 7").
QString BuiltInSymbolName(int id);

// The name a custom symbol added from fileName starts with: the file's base name.
QString CustomSymbolName(const QString& fileName);

} // namespace mappoint
