#pragma once

#include <QString>

namespace spreadsheet::calc {

// How Locastra starts and reaches its Calc: always with a profile of its own, so it
// never hands work to (or ends) a LibreOffice the user is running.
struct Options {
    // The office program, looked up on PATH unless it is a path.
    QString program = QStringLiteral("soffice");
    // Calc's user profile folder for Locastra.
    QString profileDir;
    // No windows at all (tests, or a host running without a display).
    bool headless = false;
    // How long starting Calc and connecting to it may take.
    int startTimeoutMs = 60000;

    // The name of the pipe Calc accepts connections on; one per profile.
    QString pipeName() const;
};

// Locastra's Calc profile under the user's data folder; headless when the host runs
// without a real display.
Options DefaultOptions();

} // namespace spreadsheet::calc
