// PropertySheetWindow: a ui::PropertySheet as a modal window: its pages
// (DialogViews) in a QTabWidget, with OK, Cancel and, when the sheet has one,
// Apply. The sheet decides; the window follows its active page and closes
// when it ends.
#pragma once

#include <QDialog>
#include <vector>

class QPushButton;
class QTabWidget;

namespace recaster::ui {
class PropertySheet;
}

namespace recaster::qt {

class DialogView;

class PropertySheetWindow : public QDialog {
    Q_OBJECT

  public:
    PropertySheetWindow(ui::PropertySheet& sheet, QWidget* parent);

    // Follows the sheet after something pressed: its page, or its end.
    void FollowSheet();
    QTabWidget* tabs() { return tabs_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

  private:
    ui::PropertySheet& sheet_;
    QTabWidget* tabs_;
    QPushButton* apply_ = nullptr;
    std::vector<DialogView*> pages_;
    bool following_ = false;
};

}  // namespace recaster::qt
