// HelpWindow: the help viewer. It shows the program's own HTML pages (the
// help/ folder of its data directories: beside it when built, in its data
// folder when installed), with a contents list and an index built from
// the links of contents.html and index.html, and finds a page by keyword
// ("Technical Support") through the index.
//
// It is a window of its own, not a child of the window that asked for it:
// a modal dialog's Help must not be blocked by that dialog. Escape closes
// it from any pane, and closing gives the activation back to the window it
// was opened from.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

class QLineEdit;
class QListWidget;
class QSplitter;
class QTabWidget;
class QTextBrowser;

namespace recaster::qt {

class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    struct Entry {
        QString text;
        QString target;  // page, optionally with "#anchor"
    };

    explicit HelpWindow(QWidget* parent = nullptr);

    void ShowContents();
    void ShowIndex();
    void ShowPage(const QString& page);
    // The index entry equal to `keyword` (letter case ignored), else the
    // first one starting with it; false and the index shown when none.
    bool ShowKeyword(const QString& keyword);

    QString currentPage() const;
    const std::vector<Entry>& indexEntries() const { return index_; }

    // The links of a page: text and target of every <a href>.
    static std::vector<Entry> LinksOf(const QString& html);
    // The folder of the help pages; empty when none was found.
    static QString HelpFolder();

    // The width the contents pane needs to show every title whole.
    int ContentsPaneWidthNeeded() const;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void FilterIndex(const QString& prefix);
    void Present();
    // Widens the contents pane (and the window, if need be) to its titles.
    void FitContentsPane();
    void SelectContentsEntryOf(const QUrl& source);

    QString folder_;
    QSplitter* splitter_;
    QTabWidget* tabs_;
    QListWidget* contentsList_;
    QLineEdit* indexFilter_;
    QListWidget* indexList_;
    QTextBrowser* browser_;
    std::vector<Entry> contents_;
    std::vector<Entry> index_;
    // Where the help was asked for: that window, and the window that owns
    // it (a dialog's main window), for when the dialog is gone by then.
    QPointer<QWidget> opener_;
    QPointer<QWidget> openerOwner_;
};

}  // namespace recaster::qt
