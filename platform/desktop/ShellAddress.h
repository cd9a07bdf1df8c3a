#pragma once

#include <QString>
#include <QUrl>

namespace desktop {

// The URL a shell-open address stands for: an address with a scheme ("https://...",
// "mailto:...", "file:///...") as it is, unless a file of that name exists; anything
// else as a path (relative paths against the current folder, "~" for the home
// folder) made into a file URL. Invalid for an empty address.
QUrl shellUrl(const QString& address);

} // namespace desktop
