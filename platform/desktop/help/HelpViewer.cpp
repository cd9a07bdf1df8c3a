#include "HelpViewer.h"

#include "ChmFile.h"
#include "ChmSitemap.h"
#include "TopicWords.h"
#include "desktop/ScreenFit.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace desktop::help {

namespace {

constexpr int TopicRole = Qt::UserRole;
const QString Scheme = QStringLiteral("chm");

QUrl topicUrl(const QString& topic) {
    QUrl url;
    url.setScheme(Scheme);
    const int hash = topic.indexOf(u'#');
    url.setPath(QLatin1Char('/') + QDir::cleanPath(topic.left(hash < 0 ? topic.size() : hash))
                                       .remove(QRegularExpression(QStringLiteral("^/+"))));
    if (hash >= 0)
        url.setFragment(topic.mid(hash + 1));
    return url;
}

QHash<QString, QPointer<HelpViewer>>& viewers() {
    static QHash<QString, QPointer<HelpViewer>> open;
    return open;
}

QString decode(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

} // namespace

// The topic pane: reads pages and pictures from the help file, never from elsewhere.
class TopicBrowser : public QTextBrowser {
public:
    TopicBrowser(ChmFile* file, QWidget* parent) : QTextBrowser(parent), file_(file) {
        setOpenExternalLinks(false);
        setOpenLinks(true);
    }
    QVariant loadResource(int type, const QUrl& url) override {
        if (url.scheme() != Scheme || !file_ || !file_->isOpen())
            return {};
        const QByteArray data = file_->read(url.path());
        if (data.isEmpty())
            return type == QTextDocument::HtmlResource
                       ? QVariant(
                             QStringLiteral("<p>The topic \"%1\" is not in this help file.</p>")
                                 .arg(url.path().toHtmlEscaped()))
                       : QVariant();
        if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
            return decode(data);
        return data;
    }

private:
    ChmFile* file_;
};

HelpViewer* HelpViewer::show(const QString& helpFile, const QString& topic) {
    const QString key = QFileInfo(helpFile).absoluteFilePath();
    QPointer<HelpViewer>& viewer = viewers()[key];
    // A modal window (the tool window) blocks every window but its own children: the
    // viewer becomes one, so it takes input while the modal window is open.
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* origin = modal ? modal : QApplication::activeWindow();
    const bool made = !viewer;
    if (made)
        viewer = new HelpViewer(helpFile);
    if (origin == viewer)
        origin = nullptr;
    if (modal && modal != viewer && viewer->parentWidget() != modal)
        viewer->attachTo(modal);
    if (viewer->file_->isOpen())
        viewer->openTopic(topic.isEmpty() ? viewer->file_->defaultTopic() : topic);
    viewer->placeOn(origin, made);
    viewer->QWidget::show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

void HelpViewer::placeOn(QWidget* origin, bool centre) {
    screen_ = origin ? origin->screen() : QGuiApplication::primaryScreen();
    if (centre && origin)
        CentreOnOwner(*this, origin);
    KeepOnScreen(*this, screen_);
    // The window manager frames the window after it is shown, some time later: fit
    // again with the frame it drew.
    for (const int delay : {0, 400})
        QTimer::singleShot(delay, this, [this] { KeepOnScreen(*this, screen_); });
}

void HelpViewer::attachTo(QWidget* owner) {
    if (parentWidget())
        parentWidget()->removeEventFilter(this);
    const bool shown = isVisible();
    const QRect place = geometry();
    setParent(owner, Qt::Window);
    if (shown) {
        setGeometry(place);
        QWidget::show();
    }
    if (owner)
        owner->installEventFilter(this);
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event) {
    // A window's children close with it; the help the user is reading does not. The
    // viewer moves to the closing window's owner, which is the modal window again when
    // a dialog of the tool window closes. (A minimised window hides spontaneously and
    // keeps its children.)
    if (event->type() == QEvent::Hide && !event->spontaneous() && watched == parentWidget()) {
        QWidget* owner = parentWidget()->parentWidget();
        attachTo(owner ? owner->window() : nullptr);
    }
    return QWidget::eventFilter(watched, event);
}

HelpViewer::HelpViewer(const QString& helpFile)
    : helpFile_(helpFile), file_(std::make_unique<ChmFile>(helpFile)) {
    setObjectName(QStringLiteral("helpViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(file_->title().isEmpty() ? QStringLiteral("Help") : file_->title());
    resize(900, 620);

    auto* toolbar = new QToolBar(this);
    back_ = toolbar->addAction(QStringLiteral("Back"));
    back_->setObjectName(QStringLiteral("helpBack"));
    back_->setShortcut(QKeySequence::Back);
    forward_ = toolbar->addAction(QStringLiteral("Forward"));
    forward_->setObjectName(QStringLiteral("helpForward"));
    forward_->setShortcut(QKeySequence::Forward);

    tabs_ = new QTabWidget(this);
    contents_ = new QTreeWidget(tabs_);
    contents_->setObjectName(QStringLiteral("helpContents"));
    contents_->setHeaderHidden(true);
    tabs_->addTab(contents_, QStringLiteral("Contents"));

    auto* indexPage = new QWidget(tabs_);
    indexFilter_ = new QLineEdit(indexPage);
    indexFilter_->setObjectName(QStringLiteral("helpIndexFilter"));
    indexFilter_->setPlaceholderText(QStringLiteral("Type a keyword"));
    index_ = new QListWidget(indexPage);
    index_->setObjectName(QStringLiteral("helpIndex"));
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(index_);
    tabs_->addTab(indexPage, QStringLiteral("Index"));

    auto* searchPage = new QWidget(tabs_);
    searchText_ = new QLineEdit(searchPage);
    searchText_->setObjectName(QStringLiteral("helpSearchText"));
    searchText_->setPlaceholderText(QStringLiteral("Words to find"));
    auto* searchButton = new QPushButton(QStringLiteral("&Search"), searchPage);
    searchResults_ = new QListWidget(searchPage);
    searchResults_->setObjectName(QStringLiteral("helpSearchResults"));
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchText_);
    searchRow->addWidget(searchButton);
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addLayout(searchRow);
    searchLayout->addWidget(searchResults_);
    tabs_->addTab(searchPage, QStringLiteral("Search"));

    topic_ = new TopicBrowser(file_.get(), this);
    topic_->setObjectName(QStringLiteral("helpTopic"));

    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(topic_);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolbar);
    layout->addWidget(splitter);

    connect(back_, &QAction::triggered, topic_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, topic_, &QTextBrowser::forward);
    connect(topic_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(topic_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    auto openItemTopic = [this](const QVariant& local) {
        if (!local.toString().isEmpty())
            openTopic(local.toString());
    };
    connect(contents_, &QTreeWidget::itemActivated, this,
            [openItemTopic](QTreeWidgetItem* item) { openItemTopic(item->data(0, TopicRole)); });
    connect(contents_, &QTreeWidget::itemClicked, this,
            [openItemTopic](QTreeWidgetItem* item) { openItemTopic(item->data(0, TopicRole)); });
    for (QListWidget* list : {index_, searchResults_}) {
        connect(list, &QListWidget::itemActivated, this,
                [openItemTopic](QListWidgetItem* item) { openItemTopic(item->data(TopicRole)); });
        connect(list, &QListWidget::itemClicked, this,
                [openItemTopic](QListWidgetItem* item) { openItemTopic(item->data(TopicRole)); });
    }
    // Type-ahead: the first keyword starting with what is typed becomes current.
    connect(indexFilter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        for (int i = 0; i < index_->count(); ++i) {
            if (index_->item(i)->text().startsWith(text.trimmed(), Qt::CaseInsensitive)) {
                index_->setCurrentRow(i);
                index_->scrollToItem(index_->item(i), QAbstractItemView::PositionAtTop);
                return;
            }
        }
    });
    connect(indexFilter_, &QLineEdit::returnPressed, this, [this, openItemTopic] {
        if (index_->currentItem())
            openItemTopic(index_->currentItem()->data(TopicRole));
    });
    auto runSearch = [this] {
        search(searchText_->text());
    };
    connect(searchButton, &QPushButton::clicked, this, runSearch);
    connect(searchText_, &QLineEdit::returnPressed, this, runSearch);

    if (!file_->isOpen()) {
        showProblem(file_->error());
        return;
    }
    fillContents();
    fillIndex();
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::showProblem(const QString& message) {
    tabs_->setEnabled(false);
    topic_->setHtml(
        QStringLiteral("<h3>The help cannot be shown</h3><p>%1</p>").arg(message.toHtmlEscaped()));
}

void HelpViewer::fillContents() {
    const auto entries = ParseSitemap(decode(file_->read(file_->contentsFile())));
    std::function<void(const std::vector<SitemapEntry>&, QTreeWidgetItem*)> add =
        [&](const std::vector<SitemapEntry>& list, QTreeWidgetItem* parent) {
            for (const SitemapEntry& entry : list) {
                auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(contents_);
                item->setText(0, entry.name);
                item->setData(0, TopicRole, entry.local);
                add(entry.children, item);
            }
        };
    add(entries, nullptr);
    contents_->expandAll();
}

void HelpViewer::fillIndex() {
    std::function<void(const std::vector<SitemapEntry>&)> add =
        [&](const std::vector<SitemapEntry>& list) {
            for (const SitemapEntry& entry : list) {
                auto* item = new QListWidgetItem(entry.name, index_);
                item->setData(TopicRole, entry.local);
                add(entry.children);
            }
        };
    add(ParseSitemap(decode(file_->read(file_->indexFile()))));
    index_->sortItems();
}

void HelpViewer::openTopic(const QString& topic) {
    topic_->setSource(topicUrl(topic));
}

QString HelpViewer::currentTopic() const {
    return topic_->source().path().mid(1);
}

// Every topic holding all the words as whole words (ignoring case), listed by its title.
void HelpViewer::search(const QString& text) {
    searchResults_->clear();
    const QStringList words = TopicWords(text);
    if (words.isEmpty() || !file_->isOpen())
        return;
    static const QRegularExpression page(QStringLiteral("\\.html?$"),
                                         QRegularExpression::CaseInsensitiveOption);
    for (const QString& path : file_->files()) {
        if (!page.match(path).hasMatch())
            continue;
        QTextDocument document;
        document.setHtml(decode(file_->read(path)));
        if (!HoldsAllWords(document.toPlainText(), words))
            continue;
        const QString title = document.metaInformation(QTextDocument::DocumentTitle);
        auto* item = new QListWidgetItem(title.isEmpty() ? path.mid(1) : title, searchResults_);
        item->setData(TopicRole, path.mid(1));
    }
    searchResults_->sortItems();
    tabs_->setCurrentIndex(2);
}

} // namespace desktop::help
