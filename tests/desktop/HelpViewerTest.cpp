// The help viewer over a small compiled help file: contents, index, links, history,
// search, one window per file, and its own message for files it cannot read.
#include "desktop/help/HelpViewer.h"
#include "desktop/QtDesktop.h"
#include "desktop/help/ChmFile.h"
#include "desktop/help/ChmSitemap.h"
#include "desktop/help/TopicWords.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeWidget>
#include <gtest/gtest.h>

using desktop::help::HelpViewer;

namespace {

const QString Fixture = QStringLiteral(HELP_FIXTURE);

template <class T> T* part(HelpViewer* viewer, const char* name) {
    return viewer->findChild<T*>(QString::fromLatin1(name));
}

QString shownText(HelpViewer* viewer) {
    return part<QTextBrowser>(viewer, "helpTopic")->toPlainText();
}

TEST(HelpFile, ChmlibReadsTheSystemFileAndTopics) {
    desktop::help::ChmFile file(Fixture);
    ASSERT_TRUE(file.isOpen()) << file.error().toStdString();
    EXPECT_EQ(file.title(), "Fixture Help");
    EXPECT_EQ(file.defaultTopic(), "first.html");
    EXPECT_TRUE(file.read("second.html").contains("zebra"));
    EXPECT_TRUE(file.read("/missing.html").isEmpty());
    EXPECT_TRUE(file.files().contains("/second.html"));
}

TEST(HelpFile, SitemapNestsEntriesByList) {
    const auto entries = desktop::help::ParseSitemap(
        "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Top\">"
        "<param name=\"Local\" value=\"top.html\"></OBJECT><UL><LI><OBJECT "
        "type=\"text/sitemap\"><param name=Name value='In &amp; &gt;'><param name=\"Local\" "
        "value=\"in.html#part\"></OBJECT></UL><LI><OBJECT type=\"text/sitemap\">"
        "<param name=\"Name\" value=\"Next\"></OBJECT></UL>");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].local, "top.html");
    ASSERT_EQ(entries[0].children.size(), 1u);
    EXPECT_EQ(entries[0].children[0].name, "In & >");
    EXPECT_EQ(entries[0].children[0].local, "in.html#part");
    EXPECT_EQ(entries[1].name, "Next");
}

TEST(HelpViewerWindow, OpensATopicFollowsLinksGoesBackAndSearches) {
    HelpViewer* viewer = HelpViewer::show(Fixture, QString());
    EXPECT_EQ(viewer->windowTitle(), "Fixture Help");
    EXPECT_EQ(viewer->currentTopic(), "first.html");
    EXPECT_TRUE(shownText(viewer).contains("Go to the second topic"));

    auto* contents = part<QTreeWidget>(viewer, "helpContents");
    ASSERT_EQ(contents->topLevelItemCount(), 1);
    EXPECT_EQ(contents->topLevelItem(0)->child(0)->text(0), "Second");
    // The index is sorted and types ahead.
    auto* index = part<QListWidget>(viewer, "helpIndex");
    ASSERT_EQ(index->count(), 2);
    EXPECT_EQ(index->item(0)->text(), "alpha");
    part<QLineEdit>(viewer, "helpIndexFilter")->setText("ZE");
    EXPECT_EQ(index->currentItem()->text(), "zebra");

    // A link inside a topic, then back and forward.
    auto* browser = part<QTextBrowser>(viewer, "helpTopic");
    browser->setSource(browser->source().resolved(QUrl("second.html")));
    EXPECT_EQ(viewer->currentTopic(), "second.html");
    auto* back = part<QAction>(viewer, "helpBack");
    ASSERT_TRUE(back->isEnabled());
    back->trigger();
    EXPECT_EQ(viewer->currentTopic(), "first.html");
    part<QAction>(viewer, "helpForward")->trigger();
    EXPECT_EQ(viewer->currentTopic(), "second.html");

    viewer->search("ZEBRA crossing");
    auto* results = part<QListWidget>(viewer, "helpSearchResults");
    ASSERT_EQ(results->count(), 1);
    EXPECT_EQ(results->item(0)->text(), "Second topic");
    viewer->search("zebra nowhere");
    EXPECT_EQ(results->count(), 0);

    // One window per file: a second request brings it back at the new topic.
    EXPECT_EQ(HelpViewer::show(Fixture, "first.html"), viewer);
    EXPECT_EQ(viewer->currentTopic(), "first.html");
    delete viewer;
}

// Opened from a modal dialog, the viewer is one of its windows (so it takes input) and
// stays open when the dialog closes, a window of the dialog's owner from then on.
TEST(HelpViewerWindow, OutlivesTheModalDialogItWasOpenedFrom) {
    QWidget owner;
    owner.show();
    auto* dialog = new QDialog(&owner);
    dialog->setModal(true);
    dialog->show();
    ASSERT_EQ(QApplication::activeModalWidget(), dialog);
    QPointer<HelpViewer> viewer = HelpViewer::show(Fixture, "second.html");
    EXPECT_EQ(viewer->parentWidget(), dialog);
    dialog->hide();
    delete dialog;
    ASSERT_FALSE(viewer.isNull());
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->parentWidget(), &owner);
    EXPECT_EQ(viewer->currentTopic(), "second.html");
    owner.hide();
    ASSERT_FALSE(viewer.isNull());
    EXPECT_EQ(viewer->parentWidget(), nullptr);
    delete viewer;
}

// The search finds whole words only, in any letter case, with signs between words
// taken as separators.
TEST(HelpViewerWindow, SearchMatchesWholeWords) {
    using desktop::help::HoldsAllWords;
    using desktop::help::TopicWords;
    EXPECT_EQ(TopicWords("Get Lat/Lon, Zoom-In: 48.85"),
              (QStringList{"get", "lat", "lon", "zoom", "in", "48", "85"}));
    const QString page = QStringLiteral("Install the add-in. All datasets; Lat/Lon.");
    const std::vector<std::pair<QString, bool>> queries = {
        {"all", true},     {"ALL datasets", true}, {"install", true}, {"stall", false},
        {"instal", false}, {"add", true},          {"add-in", true},  {"lat/lon", true},
        {"data", false},   {"all nowhere", false}};
    for (const auto& [query, found] : queries)
        EXPECT_EQ(HoldsAllWords(page, TopicWords(query)), found) << query.toStdString();

    HelpViewer* viewer = HelpViewer::show(Fixture, QString());
    auto* results = part<QListWidget>(viewer, "helpSearchResults");
    viewer->search("zebra");
    EXPECT_EQ(results->count(), 1);
    viewer->search("zeb");
    EXPECT_EQ(results->count(), 0);
    viewer->search("cross");
    EXPECT_EQ(results->count(), 0);
    delete viewer;
}

// Opened from a window, the viewer lies wholly on that window's screen, however large
// it would like to be and wherever it was.
TEST(HelpViewerWindow, OpensWhollyOnTheScreenOfItsWindow) {
    QWidget origin;
    origin.setGeometry(100, 100, 300, 200);
    origin.show();
    origin.activateWindow();
    QApplication::setActiveWindow(&origin);
    const QRect available = origin.screen()->availableGeometry();
    HelpViewer* viewer = HelpViewer::show(Fixture, QString());
    QApplication::processEvents();
    EXPECT_TRUE(available.contains(viewer->frameGeometry()))
        << viewer->frameGeometry().width() << "x" << viewer->frameGeometry().height() << " on "
        << available.width() << "x" << available.height();
    // Moved off the screen, it comes back when it is opened again.
    viewer->move(available.right() - 10, available.bottom() - 10);
    HelpViewer::show(Fixture, QString());
    QApplication::processEvents();
    EXPECT_TRUE(available.contains(viewer->frameGeometry()));
    delete viewer;
}

TEST(HelpViewerWindow, AFileItCannotReadIsReportedInTheViewer) {
    QTemporaryDir dir;
    QFile full(Fixture);
    ASSERT_TRUE(full.open(QIODevice::ReadOnly));
    QFile cut(dir.filePath("cut.chm"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(full.read(full.size() / 3));
    cut.close();

    for (const QString& file : {dir.filePath("missing.chm"), cut.fileName()}) {
        // The service reports the viewer as started; the viewer tells what is wrong.
        desktop::QtDesktop services;
        EXPECT_TRUE(services.showHelp(file, QString()));
        HelpViewer* viewer = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* v = qobject_cast<HelpViewer*>(window); v && v->isVisible())
                viewer = v;
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(shownText(viewer).contains("The help cannot be shown"));
        EXPECT_TRUE(shownText(viewer).contains(QFileInfo(file).fileName()))
            << shownText(viewer).toStdString();
        delete viewer;
    }
}

} // namespace
