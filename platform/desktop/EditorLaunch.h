#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace desktop {

// One way to start a text editor on a file: a program and its argument list, handed
// to the system without a shell, so no character of the path is interpreted.
struct EditorLaunch {
    QString program;
    QStringList arguments;

    bool operator==(const EditorLaunch&) const = default;
};

// The editors to try for filePath, best first: $VISUAL, then $EDITOR (each split
// into program and arguments by QProcess::splitCommand, where double quotes group
// words, with the path appended as one argument; editors that
// need a terminal are left out, as nothing would show them), then the common
// desktop text editors, then xdg-open. The path is made absolute, so a name that
// starts with '-' is never read as an option. Empty when filePath is empty.
QList<EditorLaunch> editorLaunches(const QString& filePath, const QString& visual,
                                   const QString& editor);

// True for editors that only run inside a terminal (vi, nano, ...).
bool needsTerminal(const QString& program);

} // namespace desktop
