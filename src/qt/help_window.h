// HelpWindow: the help viewer. It shows the program's own HTML pages (the
// help/ folder of its data directories: beside it when built, in its data
// folder when installed), with a contents list and an index built from
// the links of contents.html and index.html, and finds a page by keyword
// ("Technical Support") through the index.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QLineEdit;
class QListWidget;
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

  private:
    void FilterIndex(const QString& prefix);
    void Present();

    QString folder_;
    QTabWidget* tabs_;
    QListWidget* contentsList_;
    QLineEdit* indexFilter_;
    QListWidget* indexList_;
    QTextBrowser* browser_;
    std::vector<Entry> contents_;
    std::vector<Entry> index_;
};

}  // namespace recaster::qt
