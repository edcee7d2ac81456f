#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "platform/DesktopWindows.h"

namespace agendix::platform::testing {

// A small top-level window that records the input it receives and the close requests it gets.
class NotesWindow : public QWidget {
public:
    explicit NotesWindow(const QString& title);

    struct Key {
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };
    struct Click {
        Qt::MouseButton button = Qt::NoButton;
        bool doubleClick = false;
        Qt::KeyboardModifiers modifiers;
    };

    QString typed;          // the printable text of the key presses
    std::vector<Key> keys;  // every key press except the modifier keys themselves
    std::vector<Click> clicks;
    int closeRequests = 0;

    WindowHandle handle() const { return static_cast<WindowHandle>(winId()); }
    void clear();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace agendix::platform::testing
