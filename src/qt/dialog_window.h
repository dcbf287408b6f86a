// DialogWindow: the top-level window of a modal or modeless ui::Dialog. It
// hosts the dialog's DialogView, follows its title and visibility, turns
// Enter, Escape and the close box into the dialog's keys, and closes when the
// dialog ends.
#pragma once

#include <QDialog>

#include "qt/dialog_renderer.h"

namespace recaster::qt {

class DialogWindow : public QDialog {
    Q_OBJECT

  public:
    DialogWindow(ui::Dialog& dialog, QWidget* parent);

    DialogView& view() { return *view_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    DialogView* view_;
};

}  // namespace recaster::qt
