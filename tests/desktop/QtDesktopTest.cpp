// The Qt implementation driven through its real dialogs, offscreen: a timer finds
// the modal dialog and answers it as a user would.
#include "desktop/QtDesktop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QThread>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace desktop;

namespace {

// Runs answer on the first modal dialog of type T that appears. A first dialog can be
// slow to appear on a loaded machine (the file dialog loads the MIME database), so
// this waits up to a minute; a dialog the answer did not close is answered again,
// and one still open after that is rejected, so a test fails instead of hanging. A
// later dialog (the next one a test opens) is not this answer's.
template <typename T> void whenModal(std::function<void(T*)> answer) {
    auto* timer = new QTimer(qApp); // freed with the application if never stopped
    auto clock = std::make_shared<QElapsedTimer>();
    auto answeredAt = std::make_shared<qint64>(-1);
    auto answered = std::make_shared<QPointer<T>>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, answeredAt, answered, answer] {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (*answeredAt >= 0 && dialog != answered->data())
            dialog = nullptr; // the answered dialog has closed
        const qint64 now = clock->elapsed();
        if (dialog && (*answeredAt < 0 || now - *answeredAt > 1000)) {
            if (*answeredAt >= 0 && now > 60000) {
                ADD_FAILURE() << "the modal dialog did not close when answered";
                dialog->reject();
            } else {
                *answeredAt = now;
                *answered = dialog;
                answer(dialog);
                return;
            }
        }
        if (dialog || (*answeredAt < 0 && now < 60000))
            return;
        if (*answeredAt < 0)
            ADD_FAILURE() << "no modal dialog appeared";
        timer->stop();
        timer->deleteLater();
    });
    timer->start(10);
}

TEST(QtDesktop, MessageBoxShowsTextTitleIconAndButtonsAndReturnsTheClickedOne) {
    QtDesktop d;
    QString title, text;
    QMessageBox::Icon icon{};
    Qt::TextFormat format{};
    QList<QMessageBox::StandardButton> buttons;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        format = box->textFormat();
        for (QAbstractButton* b : box->buttons())
            buttons.append(box->standardButton(b));
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(d.messageBox("Delete <b>it</b>?", "Locastra", Icon::Question, Buttons::YesNoCancel),
              Button::No);
    EXPECT_EQ(title, "Locastra");
    EXPECT_EQ(text, "Delete <b>it</b>?");
    EXPECT_EQ(format, Qt::PlainText); // names from the map are shown as they are
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(buttons.size(), 3);
    EXPECT_TRUE(buttons.contains(QMessageBox::Yes) && buttons.contains(QMessageBox::Cancel));
}

TEST(QtDesktop, MessageBoxClosedWithoutAButtonAnswersItsEscapeButton) {
    QtDesktop d;
    whenModal<QMessageBox>([](QMessageBox* box) { box->reject(); });
    EXPECT_EQ(d.messageBox("t", "Error", Icon::Critical, Buttons::OkCancel), Button::Cancel);
    whenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        box->reject();
    });
    EXPECT_EQ(d.messageBox("t", "Error", Icon::Critical, Buttons::Ok), Button::Ok);
    whenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Ignore)->click(); });
    EXPECT_EQ(d.messageBox("t", "", Icon::Exclamation, Buttons::AbortRetryIgnore), Button::Ignore);
}

TEST(QtDesktop, FileDialogStartsInTheFolderWithTheChosenFilterAndTellsCancelApart) {
    QtDesktop d;
    QTemporaryDir folder;
    const QString chosen = folder.filePath("new export");
    FileDialogRequest request;
    request.initialFolder = folder.path();
    request.filter = "Text files (*.txt);;Comma Delimited (*.csv);;All files (*)";
    request.filterIndex = 2;
    QString shownFolder, shownFilter;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        shownFolder = dialog->directory().absolutePath();
        shownFilter = dialog->selectedNameFilter();
        // selectFile leaves the name box alone once it has the focus, so type the
        // name into the box as a user would.
        dialog->selectFile(chosen);
        if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit"))
            edit->setText(QFileInfo(chosen).fileName());
        static_cast<QDialog*>(dialog)->accept();
    });
    // A file that does not exist yet can be chosen in an open dialog: the export
    // commands write to it.
    EXPECT_EQ(d.fileDialog(request), std::optional<QString>(chosen));
    EXPECT_EQ(shownFolder, QDir(folder.path()).absolutePath());
    EXPECT_EQ(shownFilter, "Comma Delimited (*.csv)");

    whenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(d.fileDialog(request), std::nullopt);

    request.save = true;
    request.filterIndex = 7; // out of range: the first filter stays
    QFileDialog::AcceptMode mode{};
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        mode = dialog->acceptMode();
        shownFilter = dialog->selectedNameFilter();
        dialog->reject();
    });
    EXPECT_EQ(d.fileDialog(request), std::nullopt);
    EXPECT_EQ(mode, QFileDialog::AcceptSave);
    EXPECT_EQ(shownFilter, "Text files (*.txt)");

    // Open dialogs take new names unless the caller asks for an existing file.
    QFileDialog::FileMode fileMode{};
    auto captureMode = [&](QFileDialog* dialog) {
        fileMode = dialog->fileMode();
        dialog->reject();
    };
    request.save = false;
    whenModal<QFileDialog>(captureMode);
    d.fileDialog(request);
    EXPECT_EQ(fileMode, QFileDialog::AnyFile);
    request.mustExist = true;
    whenModal<QFileDialog>(captureMode);
    d.fileDialog(request);
    EXPECT_EQ(fileMode, QFileDialog::ExistingFile);
}

TEST(QtDesktop, PrintDialogCancelPrintsNothingAndOffersSelectionOnlyWithOne) {
    QtDesktop d;
    QTextDocument all("Name: A\nNote: B");
    QTextDocument selection("Note: B");
    bool selectionOffered = true;
    whenModal<QPrintDialog>([&](QPrintDialog* dialog) {
        selectionOffered = dialog->testOption(QAbstractPrintDialog::PrintSelection);
        dialog->reject();
    });
    EXPECT_EQ(d.printDocument({"Print", false}, all, nullptr), PrintRange::Cancelled);
    EXPECT_FALSE(selectionOffered);

    QPrinter::PrintRange initialRange{};
    whenModal<QPrintDialog>([&](QPrintDialog* dialog) {
        selectionOffered = dialog->testOption(QAbstractPrintDialog::PrintSelection);
        initialRange = dialog->printer()->printRange();
        dialog->reject();
    });
    EXPECT_EQ(d.printDocument({"Print", true}, all, &selection), PrintRange::Cancelled);
    EXPECT_TRUE(selectionOffered);
    EXPECT_EQ(initialRange, QPrinter::Selection);
}

// The number of pages of a PDF Qt wrote (its page objects are not compressed).
qsizetype pdfPages(const QString& file) {
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    // The whole file: it holds NUL bytes, where Qt 5's fromLatin1(QByteArray) stops.
    const QByteArray bytes = pdf.readAll();
    return QString::fromLatin1(bytes.constData(), bytes.size()).count(page);
}

TEST(QtDesktop, AcceptedPrintDialogPrintsTheChosenRange) {
    QtDesktop d;
    QTemporaryDir folder;
    QTextDocument all;
    QString longText;
    for (int i = 0; i < 200; ++i)
        longText += QStringLiteral("Field %1: value\n").arg(i);
    all.setPlainText(longText); // several pages
    QTextDocument selection("Field 3: value");
    // Chooses "Print to File (PDF)" in the dialog, optionally a range, and prints.
    auto printTo = [](const QString& file, const char* range = nullptr) {
        return [file, range](QPrintDialog* dialog) {
            auto* printers = dialog->findChild<QComboBox*>("printers");
            auto* name = dialog->findChild<QLineEdit*>("filename");
            ASSERT_TRUE(printers && name);
            printers->setCurrentIndex(printers->findText("Print to File (PDF)"));
            name->setText(file);
            if (range) {
                auto* button = dialog->findChild<QRadioButton*>(range);
                ASSERT_NE(button, nullptr);
                button->click();
            }
            static_cast<QDialog*>(dialog)->accept();
        };
    };
    const QString allPdf = folder.filePath("all.pdf");
    const QString selectionPdf = folder.filePath("selection.pdf");
    const QString allAgainPdf = folder.filePath("all again.pdf");
    whenModal<QPrintDialog>(printTo(selectionPdf));
    EXPECT_EQ(d.printDocument({"Print", true}, all, &selection), PrintRange::Selection);
    whenModal<QPrintDialog>(printTo(allPdf));
    EXPECT_EQ(d.printDocument({"Print", false}, all, nullptr), PrintRange::All);
    // The user may switch from the offered selection to everything.
    whenModal<QPrintDialog>(printTo(allAgainPdf, "printAll"));
    EXPECT_EQ(d.printDocument({"Print", true}, all, &selection), PrintRange::All);
    ASSERT_TRUE(QFile::exists(allPdf) && QFile::exists(selectionPdf) && QFile::exists(allAgainPdf));
    // The whole text runs over several pages, the selection fits on one.
    EXPECT_EQ(pdfPages(selectionPdf), 1);
    EXPECT_GT(pdfPages(allPdf), 2);
    EXPECT_EQ(pdfPages(allAgainPdf), pdfPages(allPdf));
}

TEST(QtDesktop, ClipboardRoundTrip) {
    QtDesktop d;
    d.setClipboardText("Name: A\nLatitude: 47.5");
    EXPECT_EQ(d.clipboardText(), "Name: A\nLatitude: 47.5");
}

// A named help file that cannot be read still starts the viewer, which reports it
// itself (the help viewer's tests); only no file at all is refused here.
TEST(QtDesktop, ShellOpenAndHelpRefuseWhatCannotBeOpened) {
    QtDesktop d;
    EXPECT_FALSE(d.shellOpen(""));
    EXPECT_FALSE(d.showHelp("", ""));
    EXPECT_FALSE(d.openInTextEditor(""));
}

// Restores an environment variable when the test ends.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(QtDesktop, EditorGetsThePathAsOneArgumentWithoutAShell) {
    QTemporaryDir folder;
    // An "editor" that writes the arguments it was given, one per line.
    const QString script = folder.filePath("my editor.sh");
    const QString out = folder.filePath("args.txt");
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.tmp' && mv '%1.tmp' '%1'\n")
                    .arg(out)
                    .toUtf8());
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QString path = folder.filePath("it's a \"file\" $(touch pwned) ; x.csv");
    ScopedEnv visual("VISUAL", ("\"" + script + "\" --flag").toUtf8());
    QtDesktop d;
    ASSERT_TRUE(d.openInTextEditor(path));
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(out) && clock.elapsed() < 5000)
        QThread::msleep(10);
    QFile result(out);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly)) << "the editor did not run";
    EXPECT_EQ(QString::fromUtf8(result.readAll()), "--flag\n" + path + "\n");
    EXPECT_FALSE(QFile::exists(folder.filePath("pwned")));
}

// xdg-open's answer decides: an opener that finds no handler (exit 3, as xdg-open
// without a browser) is a failure; one that exits 0, or still runs (a browser in its
// foreground), opened the address. The address is one argument.
TEST(QtDesktop, ShellOpenHearsWhetherXdgOpenFoundAHandler) {
    QTemporaryDir folder;
    const QString args = folder.filePath("args.txt");
    const auto fakeOpener = [&](const QString& body) {
        QFile f(folder.filePath("xdg-open"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\n%2\n")
                    .arg(args, body)
                    .toUtf8());
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    ScopedEnv path("PATH", folder.path().toUtf8() + ":/usr/bin:/bin");
    QtDesktop d;
    const struct {
        const char* body;
        bool opened;
    } cases[] = {{"exit 3", false}, {"exit 0", true}, {"sleep 3", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        fakeOpener(QString::fromLatin1(c.body));
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(d.shellOpen("http://www.locastra.example/help.html?a=1&b=2;touch"), c.opened);
        EXPECT_LT(clock.elapsed(), 2900); // a running opener is not waited for
        QFile result(args);
        ASSERT_TRUE(result.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(result.readAll()),
                  "http://www.locastra.example/help.html?a=1&b=2;touch\n");
    }
}

} // namespace
