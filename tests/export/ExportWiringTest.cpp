// The export commands as the add-in wires a fresh tool window.
#include "ExportTestSupport.h"
#include "addin/ToolWindowWiring.h"
#include "spreadsheet/MemorySpreadsheet.h"

#include <QAction>
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
