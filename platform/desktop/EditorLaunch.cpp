#include "EditorLaunch.h"

#include <QFileInfo>
#include <QProcess>

namespace desktop {

namespace {

// Text editors found on common Linux desktops, tried when no variable names one.
const QStringList desktopEditors = {
    QStringLiteral("gnome-text-editor"),
    QStringLiteral("gedit"),
    QStringLiteral("kate"),
    QStringLiteral("kwrite"),
    QStringLiteral("mousepad"),
    QStringLiteral("xed"),
    QStringLiteral("pluma"),
    QStringLiteral("featherpad"),
};

const QStringList terminalEditors = {
    QStringLiteral("vi"),     QStringLiteral("vim"),
    QStringLiteral("nvim"),   QStringLiteral("view"),
    QStringLiteral("nano"),   QStringLiteral("pico"),
    QStringLiteral("ed"),     QStringLiteral("ex"),
    QStringLiteral("joe"),    QStringLiteral("jed"),
    QStringLiteral("micro"),  QStringLiteral("mcedit"),
    QStringLiteral("ne"),     QStringLiteral("kak"),
    QStringLiteral("hx"),     QStringLiteral("helix"),
    QStringLiteral("mg"),     QStringLiteral("jove"),
    QStringLiteral("less"),   QStringLiteral("more"),
    QStringLiteral("zile"),   QStringLiteral("sensible-editor"),
    QStringLiteral("editor"),
};

void addOnce(QList<EditorLaunch>& launches, const EditorLaunch& launch) {
    if (!launches.contains(launch))
        launches.append(launch);
}

// The variable's command split into words (double quotes group, as in
// QProcess::splitCommand), with the path appended as one more argument.
void addFromVariable(QList<EditorLaunch>& launches, const QString& variable, const QString& path) {
    QStringList parts = QProcess::splitCommand(variable);
    if (parts.isEmpty() || parts.first().isEmpty() || needsTerminal(parts.first()))
        return;
    EditorLaunch launch{parts.takeFirst(), parts};
    launch.arguments.append(path);
    addOnce(launches, launch);
}

} // namespace

bool needsTerminal(const QString& program) {
    return terminalEditors.contains(QFileInfo(program).fileName());
}

QList<EditorLaunch> editorLaunches(const QString& filePath, const QString& visual,
                                   const QString& editor) {
    if (filePath.isEmpty())
        return {};
    const QString path = QFileInfo(filePath).absoluteFilePath();
    QList<EditorLaunch> launches;
    addFromVariable(launches, visual, path);
    addFromVariable(launches, editor, path);
    for (const QString& program : desktopEditors)
        addOnce(launches, {program, {path}});
    launches.append({QStringLiteral("xdg-open"), {path}});
    return launches;
}

} // namespace desktop
