#pragma once

#include <QDialog>
#include <QWidget>
#include <memory>
#include <vector>

#include "engine/ProgramLauncher.h"
#include "platform/Clipboard.h"
#include "platform/UserInterface.h"
#include "shell/BrowseList.h"
#include "shell/PagedList.h"
#include "store/FileAccess.h"
#include "store/Records.h"
#include "store/Settings.h"

class QPushButton;

namespace agendix::shell {

struct ClipboardBrowserPorts {
    store::FileAccess& access;
    store::Settings& settings;
    platform::Clipboard& clipboard;
    platform::UserInterface& ui;
    engine::ProgramLauncher& launcher;
};

// The owner's saved clipboard texts, by date (entries not kept first) or by content; puts one
// back on the clipboard, shows it, deletes it, marks it to keep, or opens what it names.
class BrowseClipboard final : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* kSection = "BrowseClipboard";

    explicit BrowseClipboard(ClipboardBrowserPorts ports, QWidget* parent = nullptr);

    BrowseList* list() const { return list_; }
    QPushButton* button(const QString& caption) const;
    const store::Clipboard* current() const { return rows_->currentRecord(); }

    void copyToClipboard();
    void view();
    void deleteEntry();
    void toggleSave();
    void run();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void updateButtons();
    void closeWindow();

    ClipboardBrowserPorts ports_;
    store::FileAccess::Use use_;
    std::string owner_;
    std::unique_ptr<PagedList<store::Clipboard>> rows_;
    BrowseList* list_ = nullptr;
    std::vector<QPushButton*> buttons_;
};

// One saved clipboard text, shown read-only: its date, time, keep indicator and text.
class UpdateClipboard final : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kSection = "UpdateClipboard";

    UpdateClipboard(const store::Clipboard& entry, store::Settings& settings,
                    QWidget* parent = nullptr);

  protected:
    void done(int result) override;

  private:
    store::Settings& settings_;
};

}  // namespace agendix::shell
