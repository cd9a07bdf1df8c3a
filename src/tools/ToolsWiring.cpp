#include "ToolsWiring.h"

#include "BalloonMode.h"
#include "Benchmark.h"
#include "DataSetCommands.h"
#include "HelpCommands.h"
#include "ViewCommands.h"
#include "WindowHelpKey.h"
#include "frmAbout.h"
#include "toolwindow/frmAddIn.h"
#include "widgets/chameleonButton.h"

#include <QAction>
#include <QApplication>

namespace tools {

void wireTools(toolwindow::frmAddIn& form) {
    toolwindow::frmAddIn* window = &form;
    const auto onEntry = [window](QAction* entry, void (*handler)(toolwindow::frmAddIn&)) {
        QObject::connect(entry, &QAction::triggered, window,
                         [window, handler] { handler(*window); });
    };
    onEntry(form.mnuZoomtoDataset, &ZoomToDataset);
    onEntry(form.mnuHideDataset, &HideDataset);
    onEntry(form.mnuChangePushpin4Dataset, &ChangeDataSetSymbol);
    onEntry(form.mnuRunBenchmark, &RunBenchmark);
    QObject::connect(form.mnuZoomIn, &QAction::triggered, window, [] { ZoomIn(); });
    QObject::connect(form.mnuZoomOut, &QAction::triggered, window, [] { ZoomOut(); });
    QObject::connect(form.mnuHelp, &QAction::triggered, window, [] { ShowHelpFile(); });
    QObject::connect(form.mnuAbout, &QAction::triggered, window, [window] { ShowAbout(window); });
    QObject::connect(form.cmdChange, &chameleonButton::Click, window,
                     [window] { ChangeBalloons(*window); });
    QObject::connect(form.Help, &chameleonButton::Click, window, [] { OpenHelpPage(); });
    qApp->installEventFilter(new WindowHelpKey(form.mnuHelp, window));
}

} // namespace tools
