#include "shell/WindowPosition.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <optional>
#include <string>

namespace agendix::shell {
namespace {

// A saved coordinate: an optionally signed decimal number with blanks around it; anything else,
// a blank value included, is no value.
std::optional<int> coordinate(const store::IniDocument& document, std::string_view section,
                              std::string_view key) {
    const std::optional<std::string> text = document.value(section, key);
    if (!text) {
        return std::nullopt;
    }
    bool ok = false;
    const int value = QString::fromStdString(*text).trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// A top-level window whose title strip lies on no screen goes to the primary screen's corner.
QRect ontoScreen(QRect place) {
    const QRect titleStrip(place.x(), place.y(), std::max(place.width(), 1), 20);
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(titleStrip)) {
            return place;
        }
    }
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        place.moveTopLeft(primary->availableGeometry().topLeft());
    }
    return place;
}

}  // namespace

void saveWindowPosition(QWidget& window, const store::IniFile& file, std::string_view section) {
    if (window.isMinimized()) {
        return;
    }
    const bool maximized = window.isMaximized();
    QRect place = window.geometry();
    if (maximized) {
        if (window.isWindow() && window.normalGeometry().isValid()) {
            place = window.normalGeometry();
        } else {
            window.showNormal();
            place = window.geometry();
        }
    }
    file.write(section, {
                            {"Maximize", maximized ? "Yes" : "No"},
                            {"XPosit", std::to_string(place.x())},
                            {"YPosit", std::to_string(place.y())},
                            {"Width", std::to_string(place.width())},
                            {"Height", std::to_string(place.height())},
                        });
}

void restoreWindowPosition(QWidget& window, const store::IniFile& file, std::string_view section) {
    const store::IniDocument document = file.load();
    const std::optional<int> x = coordinate(document, section, "XPosit");
    const std::optional<int> y = coordinate(document, section, "YPosit");
    // An "XPosit" of 0 means that no place was saved, as the position file has always meant it.
    if (!x || *x == 0) {
        return;
    }
    if (!window.isMaximized() && y && *y != 0) {
        QRect place = window.geometry();
        place.moveTopLeft(QPoint(*x, *y));
        const std::optional<int> width = coordinate(document, section, "Width");
        const std::optional<int> height = coordinate(document, section, "Height");
        const bool resizable = window.minimumSize() != window.maximumSize();
        if (resizable && width && height && *width > 0 && *height > 0) {
            place.setSize(QSize(*width, *height));
        }
        if (window.isWindow()) {
            place = ontoScreen(place);
        }
        window.setGeometry(place);
    }
    const std::optional<std::string> maximize = document.value(section, "Maximize");
    const bool wanted = maximize && QString::fromStdString(*maximize).compare(
                                        QLatin1String("Yes"), Qt::CaseInsensitive) == 0;
    const Qt::WindowStates state = window.windowState();
    window.setWindowState(wanted ? (state | Qt::WindowMaximized) : (state & ~Qt::WindowMaximized));
}

}  // namespace agendix::shell
