// ModalScript: a user's way through a chain of modal windows. Each step runs
// once a modal window is up that is not the one the previous step worked
// on (a message box after a refused OK, the dialog again after the box,
// the dialog a button opens). Steps must not block: what opens another modal
// window (a click, Enter) is queued with Later, so the step returns first.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

#include <gtest/gtest.h>

namespace recaster::qt::testing {

class ModalScript {
  public:
    using Step = std::function<void(QWidget* modal)>;

    explicit ModalScript(std::deque<Step> steps) : steps_(std::move(steps)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }
    bool Done() const { return steps_.empty(); }
    size_t Left() const { return steps_.size(); }

  private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || steps_.empty()) return;
        if (modal == last_) return;
        // A window must still be the modal one at the next look: one that
        // shows through while a message box closes has code still to run
        // (the focus to put back) before the user may act.
        if (modal != candidate_) {
            candidate_ = modal;
            return;
        }
        last_ = modal;
        // Offscreen windows are not activated by themselves; keys reach
        // shortcuts and mnemonics only in the active window.
        modal->activateWindow();
        QApplication::setActiveWindow(modal);
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step(modal);
    }

    std::deque<Step> steps_;
    QTimer timer_;
    QPointer<QWidget> last_;  // null again once that window is gone
    QPointer<QWidget> candidate_;
};

// Runs `f` from the event loop, after the current step has returned.
inline void Later(std::function<void()> f) {
    QTimer::singleShot(0, qApp, std::move(f));
}

inline void Click(QAbstractButton* button) {
    Later([b = QPointer<QAbstractButton>(button)] {
        if (b) b->click();
    });
}

// A key pressed in `w` (the window's focused widget when `w` is a window),
// as the keyboard would send it: shortcuts and mnemonics first.
inline void Key(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Later([w = QPointer<QWidget>(w), key, mods] {
        if (!w) return;
        QWidget* target = w->focusWidget() ? w->focusWidget() : w.data();
        QTest::keyClick(target, key, mods);
    });
}

// Types `text` into `w` as key presses, at once.
inline void TypeText(QWidget* w, const QString& text) {
    QTest::keyClicks(w, text);
}

// The widget of control `id` in a dialog's window.
template <class W = QWidget>
W* Control(QWidget* window, int id) {
    return window->findChild<W*>(QStringLiteral("control-%1").arg(id));
}

// Replaces the text of edit `id` by typing, as a user who selected it all.
inline void Retype(QWidget* window, int id, const QString& text) {
    auto* edit = Control<QLineEdit>(window, id);
    if (edit == nullptr) {
        ADD_FAILURE() << "no edit " << id;
        return;
    }
    edit->setFocus();
    edit->selectAll();
    TypeText(edit, text);
}

}  // namespace recaster::qt::testing
