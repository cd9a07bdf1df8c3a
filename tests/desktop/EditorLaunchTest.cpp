#include "desktop/EditorLaunch.h"

#include <QDir>
#include <gtest/gtest.h>

using desktop::EditorLaunch;
using desktop::editorLaunches;

namespace {

const QString path = QStringLiteral("/tmp/my files/it's \"odd\" $HOME `x`; rm -rf ~.csv");

TEST(EditorLaunch, VisualComesFirstThenEditorThenDesktopEditorsThenXdgOpen) {
    const auto launches = editorLaunches(path, "gvim -f", "kate");
    ASSERT_GE(launches.size(), 3);
    EXPECT_EQ(launches[0], (EditorLaunch{"gvim", {"-f", path}}));
    EXPECT_EQ(launches[1], (EditorLaunch{"kate", {path}}));
    EXPECT_EQ(launches.back(), (EditorLaunch{"xdg-open", {path}}));
    // Every launch hands the path over whole, as its last argument.
    for (const EditorLaunch& launch : launches)
        EXPECT_EQ(launch.arguments.last(), path) << launch.program.toStdString();
}

TEST(EditorLaunch, QuotedProgramAndArgumentsAreSplitLikeAShellWordList) {
    const auto launches =
        editorLaunches(path, R"("/opt/My Editor/bin/edit" --new-window "a b")", "");
    ASSERT_FALSE(launches.isEmpty());
    EXPECT_EQ(launches[0].program, "/opt/My Editor/bin/edit");
    EXPECT_EQ(launches[0].arguments, (QStringList{"--new-window", "a b", path}));
}

TEST(EditorLaunch, TerminalEditorsAndEmptyVariablesAreSkipped) {
    const auto launches = editorLaunches(path, "vim", "/usr/bin/nano -w");
    ASSERT_FALSE(launches.isEmpty());
    for (const EditorLaunch& launch : launches) {
        EXPECT_FALSE(desktop::needsTerminal(launch.program)) << launch.program.toStdString();
        EXPECT_EQ(launch.arguments, QStringList{path});
    }
    EXPECT_EQ(editorLaunches(path, "   ", "\"\""), editorLaunches(path, "", ""));
    EXPECT_TRUE(desktop::needsTerminal("/usr/bin/vi"));
    EXPECT_FALSE(desktop::needsTerminal("gedit"));
}

TEST(EditorLaunch, SameEditorInBothVariablesIsTriedOnce) {
    const auto launches = editorLaunches(path, "kate", "kate");
    EXPECT_EQ(launches.count(EditorLaunch{"kate", {path}}), 1);
}

TEST(EditorLaunch, RelativePathsBecomeAbsoluteSoNoneReadsAsAnOption) {
    const auto launches = editorLaunches("-rf.csv", "gedit", "");
    ASSERT_FALSE(launches.isEmpty());
    EXPECT_EQ(launches[0].arguments, QStringList{QDir::current().absoluteFilePath("-rf.csv")});
    EXPECT_TRUE(editorLaunches("", "gedit", "").isEmpty());
}

} // namespace
