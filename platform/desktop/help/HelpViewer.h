#pragma once

#include <QPointer>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <memory>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QAction;

namespace desktop::help {

class ChmFile;
class TopicBrowser;

// The help viewer: one window per help file, with the file's contents as a tree, its
// index with type-ahead, a full-text search over its topics, back and forward, and
// the topic pane. A file that cannot be read is reported in the window itself.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    // The viewer of helpFile, made on first use; shown, raised and at topic (the file's
    // default topic when empty).
    static HelpViewer* show(const QString& helpFile, const QString& topic);
    ~HelpViewer() override;

    // Opens a topic of the file by its path inside the file ("index.html").
    void openTopic(const QString& topic);
    // The topic shown now, as a path inside the file; empty when none.
    QString currentTopic() const;
    // Runs the full-text search: lists every topic holding all the words of text as
    // whole words, ignoring case (see TopicWords).
    void search(const QString& text);

protected:
    // The window the viewer is attached to closing: the viewer stays open (see attachTo).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit HelpViewer(const QString& helpFile);
    // Puts the viewer wholly on the available area of origin's screen (the primary
    // screen without an origin), centred over origin when centre is set.
    void placeOn(QWidget* origin, bool centre);
    // Makes the viewer a window of owner (none: a window of its own) where it is now,
    // and follows owner so that it outlives it.
    void attachTo(QWidget* owner);
    void fillContents();
    void fillIndex();
    void showProblem(const QString& message);

    QString helpFile_;
    QPointer<QScreen> screen_;
    std::unique_ptr<ChmFile> file_;
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QLineEdit* indexFilter_ = nullptr;
    QListWidget* index_ = nullptr;
    QLineEdit* searchText_ = nullptr;
    QListWidget* searchResults_ = nullptr;
    TopicBrowser* topic_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
};

} // namespace desktop::help
