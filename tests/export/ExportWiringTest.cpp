// The export commands as the add-in wires a fresh tool window.
#include "ExportTestSupport.h"
#include "addin/ToolWindowWiring.h"
#include "spreadsheet/MemorySpreadsheet.h"

#include <QAction>
#include <QMenu>
#include <QRadioButton>

using Kind = desktop::RecordedCall::Kind;
using ExportWiring = exporttest::ExportTest;

TEST_F(ExportWiring, ToolWindowWiringReachesEveryExportCommandOnce) {
    automation::RegisterClassFactory(memsheet::ClassName, {});
    setFieldMap({{"Cities", {}, {{"Oslo", 59.91, 10.75, {}}}}});
    open();
    locastra::WireToolWindow(form());
    selectShape(59, 0, 61, 12);
    form().UpdateSelectedShapeEntry();

    for (int i = 0; i < 3; ++i)
        desktop_->queueFileDialogResult(std::nullopt);
    form().mnuSelectedDataset->trigger();
    form().mnuSelectedShape->trigger();
    emit form().cmdExport->Click();
    EXPECT_EQ(desktop_->count(Kind::FileDialog), 3) << desktop_->log().toStdString();
}

TEST_F(ExportWiring, GisFileComesAfterTheTwoExportsAndFollowsTheShapeSelection) {
    setFieldMap({{"Cities", {}, {{"Oslo", 59.91, 10.75, {}}}}});
    open();
    locastra::WireToolWindow(form());
    const QList<QAction*> entries = form().mnuExport->actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[2]->text(), "GIS File");
    QMenu* gis = entries[2]->menu();
    ASSERT_TRUE(gis);
    QStringList texts;
    for (QAction* action : gis->actions())
        texts << action->text();
    EXPECT_EQ(texts, (QStringList{"Selected Datasets...", "Selected Shape..."}));

    QAction* shape = gis->actions()[1];
    map_->clearSelection();
    form().UpdateSelectedShapeEntry();
    EXPECT_FALSE(shape->isEnabled());
    selectShape(59, 0, 61, 12);
    form().UpdateSelectedShapeEntry();
    EXPECT_TRUE(shape->isEnabled());

    desktop_->queueFileDialogResult(std::nullopt);
    desktop_->queueFileDialogResult(std::nullopt);
    gis->actions()[0]->trigger();
    shape->trigger();
    const auto dialogs = desktop_->callsOf(Kind::FileDialog);
    ASSERT_EQ(dialogs.size(), 2);
    EXPECT_TRUE(dialogs[0].fileDialog.save && dialogs[1].fileDialog.save);
}
