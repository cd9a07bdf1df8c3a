#include "HostProgram.h"

#include "AddinManager.h"
#include "AddinRegistry.h"
#include "DemoMap.h"
#include "HostPaths.h"
#include "MainWindow.h"
#include "Screenshot.h"
#include "automation/AddinLibrary.h"
#include "automation/ClassRegistry.h"
#include "automation/Error.h"
#include "desktop/Desktop.h"
#include "maphost/document/MapDocument.h"
#include "maphost/model/HostApplication.h"
#include "maphost/model/HostMap.h"
#include "spreadsheet/calc/Calc.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

namespace maphost {

namespace {

const QString ClassName = QStringLiteral("MapPoint.Application");

void printLine(FILE* stream, const QString& text) {
    std::fputs(qPrintable(text + u'\n'), stream);
    std::fflush(stream);
}

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Map Host: a desktop map that carries add-ins."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Map document to open (default: the demo map)."),
                                 QStringLiteral("[FILE]"));
    parser.addOption({QStringLiteral("import"),
                      QStringLiteral("Import a data file (CSV, GeoJSON, GPX, KML, Shapefile, "
                                     "GeoPackage) into the map; may be repeated."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("screenshot"),
                      QStringLiteral("Write the windows to a PNG after start-up, then exit."),
                      QStringLiteral("PNG")});
    parser.addOption({QStringLiteral("command"),
                      QStringLiteral("Choose this Tools menu command after start-up (with "
                                     "--screenshot: the picture shows the window it opens)."),
                      QStringLiteral("TEXT")});
    parser.addOption({QStringLiteral("register-addin"),
                      QStringLiteral("Add or update the add-in record of a plugin library "
                                     "from its metadata, then exit."),
                      QStringLiteral("LIBRARY")});
    parser.addOption({QStringLiteral("write-demo"),
                      QStringLiteral("Write the demo map as a map document (GeoPackage) to "
                                     "FILE, then exit."),
                      QStringLiteral("FILE")});
}

int registerAddin(const QString& library) {
    try {
        const AddinRecord record = automation::ReadAddinRecord(library);
        const AddinRegistry registry(paths::settingsFile());
        if (!registry.write(record)) {
            printLine(stderr, QStringLiteral("Cannot write the add-in record to %1")
                                  .arg(registry.settingsFile()));
            return 1;
        }
        printLine(stdout, QStringLiteral("Registered add-in \"%1\" (%2, load behaviour %3) in %4")
                              .arg(record.displayName, record.library)
                              .arg(record.loadBehavior)
                              .arg(registry.settingsFile()));
        return 0;
    } catch (const automation::Error& error) {
        printLine(stderr, error.description());
        return 1;
    }
}

int writeDemo(const QString& path) {
    try {
        MapDocument::save(DemoMap::build(), path);
        return 0;
    } catch (const automation::Error& error) {
        printLine(stderr, error.description());
        return 1;
    }
}

// True when the command line asks only for something that needs no window.
bool windowless(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"--register-addin", "--write-demo", "-h", "--help", "--help-all",
                                   "-v", "--version"}) {
            const size_t length = std::strlen(option);
            if (std::strcmp(argv[i], option) == 0 ||
                (std::strncmp(argv[i], option, length) == 0 && argv[i][length] == '='))
                return true;
        }
    }
    return false;
}

} // namespace

void setHostIdentity() {
    QCoreApplication::setOrganizationName(QStringLiteral("Locastra"));
    QCoreApplication::setApplicationName(QStringLiteral("maphost"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LOCASTRA_VERSION));
    // No application display name: Qt would append it to the title of every window,
    // the add-ins' windows too. The main window puts the host's name in its own title.
}

int runHost(int argc, char** argv) {
    if (windowless(argc, argv)) {
        QCoreApplication core(argc, argv);
        setHostIdentity();
        QCommandLineParser parser;
        describe(parser);
        parser.process(core); // --help and --version exit here
        if (parser.isSet(QStringLiteral("write-demo")))
            return writeDemo(parser.value(QStringLiteral("write-demo")));
        return registerAddin(parser.value(QStringLiteral("register-addin")));
    }

    QApplication qtApp(argc, argv);
    setHostIdentity();
    QCommandLineParser parser;
    describe(parser);
    parser.process(qtApp);
    const QString screenshot = parser.value(QStringLiteral("screenshot"));
    const bool unattended = !screenshot.isEmpty();

    // Start-up problems: a message box normally, stderr when nobody is there to read it.
    QStringList problems;
    auto report = [&](const QString& text) {
        if (unattended)
            printLine(stderr, text);
        else
            problems << text;
    };

    auto application = std::make_shared<HostApplication>();
    HostApplication::registerRunning(application);
    // The spreadsheet application add-ins may start for their exports: LibreOffice Calc.
    spreadsheet::calc::Register(spreadsheet::calc::DefaultOptions());

    const QStringList files = parser.positionalArguments();
    std::shared_ptr<HostMap> map;
    auto openFile = [&](const QString& path) -> std::shared_ptr<HostMap> {
        try {
            auto opened = HostMap::create(MapDocument::open(path));
            opened->setFilePath(QFileInfo(path).absoluteFilePath());
            opened->setModified(false);
            return opened;
        } catch (const automation::Error& error) {
            report(error.description());
            return nullptr;
        }
    };
    // A document or data file named on the command line that cannot be read makes the
    // exit status non-zero, so that scripts can tell.
    bool loadFailed = false;
    if (!files.isEmpty()) {
        map = openFile(files.first());
        loadFailed = !map;
    } else {
        QString error;
        const QString demo = DemoMap::ensureDocument(&error);
        if (!demo.isEmpty())
            map = openFile(demo);
        if (!map) {
            if (!error.isEmpty())
                report(error);
            map = HostMap::create(DemoMap::build());
            map->setModified(false);
        }
    }
    if (!map)
        map = HostMap::create();
    application->setActiveMap(map);

    AddinManager addins(application, AddinRegistry(paths::settingsFile()));
    MainWindow window(application, &addins, paths::settingsFile());
    for (const QString& path : parser.values(QStringLiteral("import"))) {
        QString failure;
        if (!window.importData(path, &failure)) {
            report(failure);
            loadFailed = true;
        }
    }
    window.show();

    int status = 0;
    bool finished = false;
    auto armScreenshot = [&](int delayMs) {
        QTimer::singleShot(delayMs, &window, [&] {
            if (!saveScreenshot(screenshot)) {
                printLine(stderr, QStringLiteral("Cannot write the screenshot %1").arg(screenshot));
                status = 1;
            }
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w != &window && w->isVisible())
                    w->close();
            }
            finished = true;
            QCoreApplication::exit(status);
        });
    };
    const QString command = parser.value(QStringLiteral("command"));
    // Armed before the add-ins connect: a modal window an add-in opens while
    // connecting runs its own event loop, and the picture is taken from there.
    if (unattended && command.isEmpty())
        armScreenshot(0);

    // Add-ins connect once the host is up, as at any start-up.
    QObject::connect(&addins, &AddinManager::addinFailed, &window,
                     [&](const QString&, const QString& reason) { report(reason); });
    addins.connectAtStartup();

    if (!command.isEmpty()) {
        QTimer::singleShot(0, &window, [&] {
            const QVector<HostCommand> commands = application->commands();
            int index = -1;
            for (int i = 0; i < commands.size(); ++i) {
                if (commands[i].displayName == command)
                    index = i;
            }
            if (index < 0)
                report(QStringLiteral("No Tools command \"%1\"").arg(command));
            // The command may open a modal window: the picture is taken while it shows.
            if (unattended)
                armScreenshot(300);
            if (index >= 0)
                application->invokeCommand(index);
        });
    }

    if (!unattended && !problems.isEmpty()) {
        QTimer::singleShot(0, &window, [&] {
            for (const QString& text : problems)
                desktop::services().messageBox(text, QStringLiteral("Map Host"),
                                               desktop::Icon::Critical, desktop::Buttons::Ok);
        });
    }

    const int code = finished ? 0 : qtApp.exec();
    if (unattended) {
        // Nobody is there to answer a save prompt; the window still stores its geometry.
        if (application->activeMap())
            application->activeMap()->setModified(false);
        window.close();
    }
    addins.disconnectAll();
    automation::RevokeActiveObject(ClassName, application.get());
    // Calc and the workbooks the user was handed stay open; only the connection goes.
    spreadsheet::calc::Disconnect();
    return code != 0 ? code : status != 0 ? status : int(loadFailed);
}

} // namespace maphost
