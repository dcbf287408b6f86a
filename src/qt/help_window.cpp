// The help viewer over the HTML pages in the data folder.
#include "qt/help_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

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
      splitter_(new QSplitter),
      tabs_(new QTabWidget),
      contentsList_(new QListWidget),
      indexFilter_(new QLineEdit),
      indexList_(new QListWidget),
      browser_(new QTextBrowser) {
    setObjectName(QStringLiteral("help-window"));
    setWindowTitle(tr("Recaster II Help"));
    resize(800, 560);
    tabs_->setObjectName(QStringLiteral("help-tabs"));
    contentsList_->setObjectName(QStringLiteral("help-contents"));
    indexFilter_->setObjectName(QStringLiteral("help-index-filter"));
    indexList_->setObjectName(QStringLiteral("help-index"));
    browser_->setObjectName(QStringLiteral("help-browser"));
    if (!folder_.isEmpty()) browser_->setSearchPaths({folder_});
    browser_->setOpenExternalLinks(true);
    indexFilter_->setPlaceholderText(tr("Type the keyword to find"));

    auto* indexPane = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPane);
    // No margins: both tabs then put the same frame around their list,
    // which the width of the pane relies on.
    indexLayout->setContentsMargins(0, 0, 0, 0);
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(indexList_);
    tabs_->addTab(contentsList_, tr("&Contents"));
    tabs_->addTab(indexPane, tr("&Index"));

    splitter_->addWidget(tabs_);
    splitter_->addWidget(browser_);
    splitter_->setStretchFactor(1, 3);
    splitter_->setCollapsible(1, false);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter_);

    contents_ = LinksOf(ReadPage(folder_, QStringLiteral("contents.html")));
    index_ = LinksOf(ReadPage(folder_, QStringLiteral("index.html")));
    std::sort(index_.begin(), index_.end(), [](const Entry& a, const Entry& b) {
        return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
    });
    for (const Entry& e : contents_) {
        auto* item = new QListWidgetItem(e.text, contentsList_);
        item->setToolTip(e.text);
    }
    FilterIndex({});

    auto openContentsItem = [this](QListWidgetItem* item) {
        ShowPage(contents_.at(static_cast<size_t>(contentsList_->row(item))).target);
    };
    connect(contentsList_, &QListWidget::itemActivated, this, openContentsItem);
    connect(contentsList_, &QListWidget::itemClicked, this, openContentsItem);
    connect(indexFilter_, &QLineEdit::textChanged, this, &HelpWindow::FilterIndex);
    auto openIndexItem = [this](QListWidgetItem* item) {
        ShowPage(item->data(Qt::UserRole).toString());
    };
    connect(indexList_, &QListWidget::itemActivated, this, openIndexItem);
    connect(indexList_, &QListWidget::itemClicked, this, openIndexItem);
    connect(indexFilter_, &QLineEdit::returnPressed, this, [this] {
        if (indexList_->count() > 0) ShowPage(indexList_->item(0)->data(Qt::UserRole).toString());
    });
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::SelectContentsEntryOf);
    // Alt+C, Alt+I or a click on a tab: what is typed next goes to that
    // tab's list (or the index's keyword). Arrowing along the focused tab
    // bar leaves the focus on the bar.
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (!isActiveWindow() || tabs_->tabBar()->hasFocus()) return;
        if (tab == 0) contentsList_->setFocus();
        if (tab == 1) indexFilter_->setFocus();
    });

    // A window shortcut, so that no pane can keep Escape to itself.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

int HelpWindow::ContentsPaneWidthNeeded() const {
    // The widest row as the lists' delegate lays it out, inside a list's
    // frame with room for its vertical scroll bar, inside the tab widget.
    const int rows =
        std::max(contentsList_->sizeHintForColumn(0), indexList_->sizeHintForColumn(0));
    const int scrollBar =
        contentsList_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, contentsList_);
    const int list =
        rows + 2 * contentsList_->spacing() + 2 * contentsList_->frameWidth() + scrollBar;
    const QWidget* page = tabs_->currentWidget();
    const int around = page != nullptr ? std::max(0, tabs_->width() - page->width()) : 0;
    return std::max(list + around, tabs_->minimumSizeHint().width());
}

void HelpWindow::FitContentsPane() {
    int wanted = ContentsPaneWidthNeeded();
    const QRect available = screen() != nullptr ? screen()->availableGeometry() : QRect();
    // Within reason: a title wider than half the screen scrolls.
    if (available.isValid()) wanted = std::min(wanted, available.width() / 2);
    // Dragging the splitter cannot cut titles off either; it may still fold
    // the pane away entirely.
    tabs_->setMinimumWidth(wanted);
    const QList<int> sizes = splitter_->sizes();
    if (sizes.size() != 2 || sizes[0] >= wanted) return;  // a wider pane the user chose stays
    // The page keeps room for a line of text; the window grows for it.
    const int pageRoom = fontMetrics().averageCharWidth() * 50;
    const int lacking = wanted + pageRoom - (sizes[0] + sizes[1]);
    if (lacking > 0) {
        int newWidth = width() + lacking;
        if (available.isValid()) newWidth = std::min(newWidth, available.width());
        resize(newWidth, height());
        if (QLayout* own = layout()) own->activate();
    }
    const int total = std::max(splitter_->sizes().value(0) + splitter_->sizes().value(1), wanted);
    splitter_->setSizes({wanted, total - wanted});
}

void HelpWindow::showEvent(QShowEvent* event) {
    // Titles are measured in the font the window shows them with, known now.
    FitContentsPane();
    QWidget::showEvent(event);
}

void HelpWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!event->isAccepted()) return;
    // Back to where help was asked for, else to that window's owner.
    QWidget* back = nullptr;
    for (QWidget* w : {opener_.data(), openerOwner_.data()}) {
        if (w != nullptr && w != this && w->isVisible()) {
            back = w;
            break;
        }
    }
    if (back == nullptr) return;
    back->raise();
    back->activateWindow();
}

void HelpWindow::SelectContentsEntryOf(const QUrl& source) {
    const QString page = source.path().section(QLatin1Char('/'), -1);
    for (size_t i = 0; i < contents_.size(); ++i) {
        if (contents_[i].target.section(QLatin1Char('#'), 0, 0) == page) {
            contentsList_->setCurrentRow(static_cast<int>(i));
            return;
        }
    }
    contentsList_->setCurrentRow(-1);
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
    QWidget* active = QApplication::activeWindow();
    if (active != nullptr && active != this) {
        opener_ = active;
        openerOwner_ =
            active->parentWidget() != nullptr ? active->parentWidget()->window() : nullptr;
    }
    show();
    raise();
    activateWindow();
}

void HelpWindow::ShowContents() {
    tabs_->setCurrentIndex(0);
    ShowPage(QStringLiteral("contents.html"));
    contentsList_->setFocus();
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
    // Opened for a page: the keys scroll it. Already in use: the focus
    // stays where the user is (the contents, the index).
    if (!isActiveWindow()) browser_->setFocus();
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
