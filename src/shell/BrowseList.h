#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "shell/Commands.h"
#include "shell/PagedList.h"
#include "store/IniFile.h"

class QAbstractButton;
class QMenu;
class QScrollBar;
class QTabBar;
class QTableView;

namespace agendix::shell {

// The page of a list as a Qt table model.
class BrowseModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit BrowseModel(PagedRows& rows, QObject* parent = nullptr)
        : QAbstractTableModel(parent), rows_(rows) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : rows_.rowCount();
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : rows_.columnCount();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        return rows_.data(index.row(), index.column(), role);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The page has been read again.
    void pageChanged() {
        beginResetModel();
        endResetModel();
    }

  private:
    PagedRows& rows_;
};

// An item of a list's popup menu: a caption (empty: a separator), whether it can be chosen now,
// and what it does.
struct PopupEntry {
    QString caption;
    std::function<bool()> enabled;
    std::function<void()> run;

    static PopupEntry separator() { return {}; }
    // The item of a button: its caption, enabled as the button is, pressing it.
    static PopupEntry forButton(QAbstractButton* button);
};

// The list control of every list window: tabs for the sort orders, the page of rows, the scroll
// bar whose thumb places the list along the key, the keys of a list and the popup menu. The
// window around it adds its buttons and connects the requests.
class BrowseList final : public QWidget {
    Q_OBJECT

  public:
    explicit BrowseList(PagedRows& rows, QWidget* parent = nullptr);

    PagedRows& rows() { return rows_; }
    QTabBar* tabs() const { return tabs_; }
    QTableView* view() const { return view_; }
    QScrollBar* scrollBar() const { return scrollBar_; }

    // Reads the page again (on the highlighted record) and shows it.
    void reload();
    // Shows the page as the rows hold it now.
    void showPage();
    bool empty() const { return rows_.rowCount() == 0; }
    // A move of the frame's navigation buttons; Insert asks for a new record.
    void navigate(Navigation navigation);

    // The page follows the height of the list; a fixed size stops that (0: follow again).
    void setFixedPageSize(int rows);

    void setPopupEntries(std::vector<PopupEntry> entries) { popup_ = std::move(entries); }
    // The popup menu as it would open now.
    std::unique_ptr<QMenu> buildPopup();

    // The column format the program is built with, and the one the user has now (widths).
    QString builtInFormat() const;
    QString columnFormat() const;
    // Column layout under "SRCF?Browse:1" of the window's section; a built-in format other than
    // the one stored under "SRCFOriginal?Browse:1" replaces that and the user's layout is not used.
    void restoreLayout(const store::IniFile& file, std::string_view section);
    void saveLayout(const store::IniFile& file, std::string_view section) const;

  signals:
    void insertRequested();
    void deleteRequested();
    void editRequested();
    // The highlighted row or the page changed.
    void currentMoved();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    bool handleKey(QKeyEvent* event);
    void fitPageToView();
    void applyColumnFormat(const QString& format);
    void scrollAction(int action);

    PagedRows& rows_;
    BrowseModel model_;
    QTabBar* tabs_ = nullptr;
    QTableView* view_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    std::vector<PopupEntry> popup_;
    int fixedPageSize_ = 0;
    bool showing_ = false;
};

}  // namespace agendix::shell
