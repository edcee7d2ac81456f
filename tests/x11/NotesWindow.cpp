#include "x11/NotesWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace agendix::platform::testing {

NotesWindow::NotesWindow(const QString& title) {
    setWindowTitle(title);
    setFocusPolicy(Qt::StrongFocus);
    resize(320, 200);
}

void NotesWindow::clear() {
    typed.clear();
    keys.clear();
    clicks.clear();
}

void NotesWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
            return;
        default:
            break;
    }
    keys.push_back({event->key(), event->modifiers(), event->text()});
    const QString text = event->text();
    const bool printable = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() != 0x7f;
    });
    if (printable) {
        typed += text;
    }
}

void NotesWindow::mousePressEvent(QMouseEvent* event) {
    clicks.push_back({event->button(), false, event->modifiers()});
}

void NotesWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    clicks.push_back({event->button(), true, event->modifiers()});
}

void NotesWindow::closeEvent(QCloseEvent* event) {
    ++closeRequests;
    event->accept();
}

}  // namespace agendix::platform::testing
