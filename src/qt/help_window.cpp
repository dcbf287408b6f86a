// The help viewer over the HTML pages in the data folder.
#include "qt/help_window.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "base/paths.h"
#include "qt/qt_text.h"

namespace recaster::qt {
namespace {

QString ReadPage(const QString& folder, const QString& name) {
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

std::vector<HelpWindow::Entry> HelpWindow::LinksOf(const QString& html) {
    static const QRegularExpression link(
        QStringLiteral("<a\\s+href=\"([^\"]+)\"[^>]*>(.*?)</a>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    std::vector<Entry> out;
    for (auto it = link.globalMatch(html); it.hasNext();) {
        auto m = it.next();
        QString text = m.captured(2);
        text.remove(tags);
        text = text.simplified();
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        if (!text.isEmpty()) out.push_back({text, m.captured(1)});
    }
    return out;
}

QString HelpWindow::HelpFolder() {
    return FromPath(FindDataFolder("help"));
}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      folder_(HelpFolder()),
      tabs_(new QTabWidget),
      contentsList_(new QListWidget),
      indexFilter_(new QLineEdit),
      indexList_(new QListWidget),
      browser_(new QTextBrowser) {
    setObjectName(QStringLiteral("help-window"));
    setWindowTitle(tr("Recaster II Help"));
    resize(800, 560);
    browser_->setObjectName(QStringLiteral("help-browser"));
    if (!folder_.isEmpty()) browser_->setSearchPaths({folder_});
    browser_->setOpenExternalLinks(true);
    indexFilter_->setPlaceholderText(tr("Type the keyword to find"));

    auto* indexPane = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPane);
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(indexList_);
    tabs_->addTab(contentsList_, tr("Contents"));
    tabs_->addTab(indexPane, tr("Index"));

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    contents_ = LinksOf(ReadPage(folder_, QStringLiteral("contents.html")));
    index_ = LinksOf(ReadPage(folder_, QStringLiteral("index.html")));
    std::sort(index_.begin(), index_.end(), [](const Entry& a, const Entry& b) {
        return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
    });
    for (const Entry& e : contents_) contentsList_->addItem(e.text);
    FilterIndex({});

    connect(contentsList_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        ShowPage(contents_.at(static_cast<size_t>(contentsList_->row(item))).target);
    });
    connect(contentsList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        ShowPage(contents_.at(static_cast<size_t>(contentsList_->row(item))).target);
    });
    connect(indexFilter_, &QLineEdit::textChanged, this, &HelpWindow::FilterIndex);
    auto openIndexItem = [this](QListWidgetItem* item) {
        ShowPage(item->data(Qt::UserRole).toString());
    };
    connect(indexList_, &QListWidget::itemActivated, this, openIndexItem);
    connect(indexList_, &QListWidget::itemClicked, this, openIndexItem);
    connect(indexFilter_, &QLineEdit::returnPressed, this, [this] {
        if (indexList_->count() > 0) ShowPage(indexList_->item(0)->data(Qt::UserRole).toString());
    });
}

void HelpWindow::FilterIndex(const QString& prefix) {
    indexList_->clear();
    for (const Entry& e : index_) {
        if (!e.text.startsWith(prefix, Qt::CaseInsensitive)) continue;
        auto* item = new QListWidgetItem(e.text, indexList_);
        item->setData(Qt::UserRole, e.target);
    }
}

void HelpWindow::Present() {
    show();
    raise();
    activateWindow();
}

void HelpWindow::ShowContents() {
    tabs_->setCurrentIndex(0);
    ShowPage(QStringLiteral("contents.html"));
}

void HelpWindow::ShowIndex() {
    tabs_->setCurrentIndex(1);
    ShowPage(QStringLiteral("index.html"));
    indexFilter_->setFocus();
}

void HelpWindow::ShowPage(const QString& page) {
    if (folder_.isEmpty()) {
        // Better a page that says so than an empty window.
        QStringList searched;
        for (const std::string& dir : DataDirectories())
            searched << FromPath(JoinPath(dir, "help")).toHtmlEscaped();
        browser_->setHtml(tr("<h1>The help pages are missing</h1><p>They were looked for in:</p>"
                             "<ul><li>%1</li></ul><p>Installing the program again brings "
                             "them back.</p>")
                              .arg(searched.join(QStringLiteral("</li><li>"))));
    } else {
        browser_->setSource(QUrl(page));
    }
    Present();
}

bool HelpWindow::ShowKeyword(const QString& keyword) {
    const Entry* found = nullptr;
    for (const Entry& e : index_) {
        if (e.text.compare(keyword, Qt::CaseInsensitive) == 0) {
            found = &e;
            break;
        }
        if (!found && e.text.startsWith(keyword, Qt::CaseInsensitive)) found = &e;
    }
    if (!found) {
        indexFilter_->setText(keyword);
        ShowIndex();
        return false;
    }
    ShowPage(found->target);
    return true;
}

QString HelpWindow::currentPage() const {
    return browser_->source().toString();
}

}  // namespace recaster::qt
