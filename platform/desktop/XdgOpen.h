#pragma once

#include <QUrl>
#include <optional>

namespace desktop {

// Opens url with xdg-open, the desktop's opener, and learns whether it could: xdg-open
// exits with an error at once when no handler (no web browser) can be started, which
// a detached start (QDesktopServices) never hears of. An opener still running after
// waitMs has handed the address to a program that it waits for (a browser started in
// its foreground): that counts as opened and it runs on. Nothing when xdg-open is not
// installed.
std::optional<bool> OpenWithXdgOpen(const QUrl& url, int waitMs = 2000);

} // namespace desktop
