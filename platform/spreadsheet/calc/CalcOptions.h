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
    // How long one call into Calc may take, the connect included; past it the
    // connection is dropped and the call fails as with a closed Calc. The longest
    // calls of an export are sending one block of rows (at most 8,000; a block of
    // 10,000 rows of ten cells takes Calc about 0.1 s here, 0.3 s on this loaded
    // 2-core machine) and making a document in a Calc still loading its libraries
    // (up to 2 s). 30 s leaves a machine ten times slower ample room, and is short
    // enough that a Calc that stopped answering does not pass for a frozen host
    // for long.
    int callTimeoutMs = 30000;
    // What a new spreadsheet document is made from; only tests change it (to stand
    // for a LibreOffice without Calc).
    QString spreadsheetFactory = QStringLiteral("private:factory/scalc");
};

// Locastra's Calc profile under the user's data folder; headless when the host runs
// without a real display.
Options DefaultOptions();

} // namespace spreadsheet::calc
