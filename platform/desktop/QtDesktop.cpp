#include "QtDesktop.h"

#include "help/HelpViewer.h"

#include "EditorLaunch.h"
#include "ShellAddress.h"
#include "XdgOpen.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTextDocument>
#include <QUrl>

namespace desktop {

namespace {

// The window a dialog belongs to: the modal one on top, else the active one.
QWidget* dialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The buttons of each set, in the order they are shown; the first is the default.
QList<Button> buttonsOf(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return {Button::Ok};
    case Buttons::OkCancel:
        return {Button::Ok, Button::Cancel};
    case Buttons::YesNo:
        return {Button::Yes, Button::No};
    case Buttons::YesNoCancel:
        return {Button::Yes, Button::No, Button::Cancel};
    case Buttons::RetryCancel:
        return {Button::Retry, Button::Cancel};
    case Buttons::AbortRetryIgnore:
        return {Button::Abort, Button::Retry, Button::Ignore};
    }
    return {Button::Ok};
}

QMessageBox::StandardButton qtButton(Button button) {
    switch (button) {
    case Button::Ok:
        return QMessageBox::Ok;
    case Button::Cancel:
        return QMessageBox::Cancel;
    case Button::Yes:
        return QMessageBox::Yes;
    case Button::No:
        return QMessageBox::No;
    case Button::Retry:
        return QMessageBox::Retry;
    case Button::Abort:
        return QMessageBox::Abort;
    case Button::Ignore:
        return QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

// What closing the box without a button (Esc, close box) answers: Cancel where
// there is one, otherwise the button that does least.
Button escapeAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return Button::Ok;
    case Buttons::YesNo:
        return Button::No;
    case Buttons::AbortRetryIgnore:
        return Button::Abort;
    default:
        return Button::Cancel;
    }
}

bool startEditor(const EditorLaunch& launch) {
    // A bare name must be on PATH; looking first avoids a failed fork per candidate.
    if (!launch.program.contains(u'/') && QStandardPaths::findExecutable(launch.program).isEmpty())
        return false;
    return QProcess::startDetached(launch.program, launch.arguments);
}

} // namespace

Button QtDesktop::messageBox(const QString& text, const QString& title, Icon icon,
                             Buttons buttons) {
    QMessageBox box(dialogParent());
    box.setIcon(qtIcon(icon));
    box.setWindowTitle(title);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    const QList<Button> offered = buttonsOf(buttons);
    for (Button button : offered)
        box.addButton(qtButton(button));
    box.setDefaultButton(qtButton(offered.first()));
    box.setEscapeButton(box.button(qtButton(escapeAnswer(buttons))));
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (Button button : offered) {
        if (qtButton(button) == clicked)
            return button;
    }
    return escapeAnswer(buttons);
}

std::optional<QString> QtDesktop::fileDialog(const FileDialogRequest& request) {
    QFileDialog dialog(dialogParent(), request.title, request.initialFolder, request.filter);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setFileMode(!request.save && request.mustExist ? QFileDialog::ExistingFile
                                                          : QFileDialog::AnyFile);
    const QStringList filters = dialog.nameFilters();
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(request.filterIndex - 1));
    if (!request.defaultName.isEmpty())
        dialog.selectFile(request.defaultName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return std::nullopt;
    if (request.chosenFilterIndex)
        *request.chosenFilterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return files.first();
}

bool QtDesktop::shellOpen(const QString& address) {
    const QUrl url = shellUrl(address);
    if (!url.isValid())
        return false;
    // Through xdg-open where there is one, to hear when it finds no handler; else
    // Qt's own detection (which fails when it finds no browser).
    if (const std::optional<bool> opened = OpenWithXdgOpen(url))
        return *opened;
    return QDesktopServices::openUrl(url);
}

bool QtDesktop::openInTextEditor(const QString& filePath) {
    const auto launches =
        editorLaunches(filePath, qEnvironmentVariable("VISUAL"), qEnvironmentVariable("EDITOR"));
    for (const EditorLaunch& launch : launches) {
        if (startEditor(launch))
            return true;
    }
    return false;
}

void QtDesktop::setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QString QtDesktop::clipboardText() {
    return QGuiApplication::clipboard()->text();
}

PrintRange QtDesktop::printDocument(const PrintRequest& request, const QTextDocument& all,
                                    const QTextDocument* selection) {
    QPrinter printer;
    QPrintDialog dialog(&printer, dialogParent());
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    // No page numbers to choose: the text is printed whole or as its selection.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    const bool offerSelection = request.hasSelection && selection != nullptr;
    dialog.setOption(QAbstractPrintDialog::PrintSelection, offerSelection);
    printer.setPrintRange(offerSelection ? QPrinter::Selection : QPrinter::AllPages);
    if (dialog.exec() != QDialog::Accepted)
        return PrintRange::Cancelled;
    if (offerSelection && printer.printRange() == QPrinter::Selection) {
        selection->print(&printer);
        return PrintRange::Selection;
    }
    all.print(&printer);
    return PrintRange::All;
}

QString QtDesktop::readSetting(const QString& application, const QString& section,
                               const QString& key, const QString& defaultValue) {
    return settings_.read(application, section, key, defaultValue);
}

void QtDesktop::writeSetting(const QString& application, const QString& section, const QString& key,
                             const QString& value) {
    settings_.write(application, section, key, value);
}

bool QtDesktop::showHelp(const QString& helpFile, const QString& topic) {
    // The viewer is a window of this application: without a GUI there is none. A file
    // that cannot be read is the viewer's to report.
    if (helpFile.isEmpty() || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    help::HelpViewer::show(helpFile, topic);
    return true;
}

} // namespace desktop
