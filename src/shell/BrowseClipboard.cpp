#include "shell/BrowseClipboard.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "shell/ClipboardRules.h"
#include "shell/WindowPosition.h"
#include "store/DataDictionary.h"
#include "store/Picture.h"

namespace agendix::shell {

namespace {

using store::Clipboard;

// Above every text a key can hold: the end of a range on a text field.
constexpr const char* kTextEnd = "\xF4\x8F\xBF\xBF";

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

std::string trimRight(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n')) {
        text.pop_back();
    }
    return text;
}

QIcon keepIcon() {
    static const QIcon icon = [] {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(20, 140, 40), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
        painter.end();
        return QIcon(pixmap);
    }();
    return icon;
}

std::vector<BrowseOrder<Clipboard>> clipboardOrders(const std::string* owner) {
    BrowseOrder<Clipboard> byDate;
    byDate.tab = QStringLiteral("By Date");
    byDate.key = "KeyClipDate";
    byDate.rangeBound = [owner](Clipboard& entry, bool end) {
        entry.User = *owner;
        entry.ClipKeep = end ? std::numeric_limits<std::uint8_t>::max() : 0;
        entry.ClipDate = end ? std::numeric_limits<std::int32_t>::max()
                             : std::numeric_limits<std::int32_t>::min();
        entry.ClipTime = end ? std::numeric_limits<std::int32_t>::max()
                             : std::numeric_limits<std::int32_t>::min();
    };
    byDate.inRange = [owner](const Clipboard& entry) { return entry.User == *owner; };
    byDate.number = [](const Clipboard& entry) {
        return entry.ClipKeep * 1e12 + static_cast<double>(entry.ClipDate) * 1e7 + entry.ClipTime;
    };
    byDate.setNumber = [](Clipboard& entry, double value) {
        entry.ClipKeep = value >= 1e12 ? 1 : 0;
        value -= entry.ClipKeep * 1e12;
        entry.ClipDate = static_cast<std::int32_t>(value / 1e7);
        entry.ClipTime = static_cast<std::int32_t>(value - entry.ClipDate * 1e7);
    };

    BrowseOrder<Clipboard> byContent;
    byContent.tab = QStringLiteral("By Content");
    byContent.key = "KeyClipHash";
    byContent.rangeBound = [owner](Clipboard& entry, bool end) {
        entry.User = *owner;
        entry.ClipHashKey = end ? kTextEnd : "";
    };
    byContent.inRange = [owner](const Clipboard& entry) {
        return text(entry.User).compare(text(*owner), Qt::CaseInsensitive) == 0;
    };
    byContent.text = [](const Clipboard& entry) { return entry.ClipHashKey; };
    byContent.setText = [](Clipboard& entry, const std::string& value) {
        entry.ClipHashKey = value;
    };
    return {std::move(byDate), std::move(byContent)};
}

std::vector<BrowseColumn<Clipboard>> clipboardColumns() {
    BrowseColumn<Clipboard> keep;
    keep.title = QStringLiteral("Save");
    keep.width = 4;
    keep.icon = [](const Clipboard& entry) {
        return entry.ClipKeep != 0 ? QVariant(keepIcon()) : QVariant();
    };
    BrowseColumn<Clipboard> contents;
    contents.title = QStringLiteral("Contents");
    contents.width = 60;
    contents.text = [](const Clipboard& entry) {
        return text(entry.ClipContents).left(255).replace(QLatin1Char('\n'), QLatin1Char(' '));
    };
    contents.colour = [](const Clipboard& entry) {
        return clipboardTextNamesTarget(entry.ClipContents) ? QVariant(QColor(0, 0, 192))
                                                            : QVariant();
    };
    return {std::move(keep), std::move(contents)};
}

}  // namespace

BrowseClipboard::BrowseClipboard(ClipboardBrowserPorts ports, QWidget* parent)
    : QWidget(parent),
      ports_(std::move(ports)),
      use_(ports_.access.use(store::clipboardTable())),
      owner_(ports_.settings.values().ownerName) {
    setWindowTitle(QStringLiteral("Clipboard Saver"));
    rows_ = std::make_unique<PagedList<Clipboard>>(use_.table(), clipboardOrders(&owner_),
                                                   clipboardColumns());
    list_ = new BrowseList(*rows_, this);

    auto* buttons = new QHBoxLayout;
    for (const char* caption :
         {"&Copy to Clipboard", "&View", "&Delete", "&Toggle Save", "&Run", "Cl&ose"}) {
        auto* pushButton = new QPushButton(QString::fromLatin1(caption), this);
        buttons_.push_back(pushButton);
        if (QString::fromLatin1(caption) == "Cl&ose") {
            buttons->addStretch();
        }
        buttons->addWidget(pushButton);
    }
    connect(button("&Copy to Clipboard"), &QPushButton::clicked, this,
            [this] { copyToClipboard(); });
    connect(button("&View"), &QPushButton::clicked, this, [this] { view(); });
    connect(button("&Delete"), &QPushButton::clicked, this, [this] { deleteEntry(); });
    connect(button("&Toggle Save"), &QPushButton::clicked, this, [this] { toggleSave(); });
    connect(button("&Run"), &QPushButton::clicked, this, [this] { run(); });
    connect(button("Cl&ose"), &QPushButton::clicked, this, [this] { closeWindow(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    list_->setPopupEntries({PopupEntry::forButton(button("&Delete"))});
    connect(list_, &BrowseList::deleteRequested, button("&Delete"), &QPushButton::click);
    connect(list_, &BrowseList::editRequested, button("&View"), &QPushButton::click);
    connect(list_, &BrowseList::currentMoved, this, [this] { updateButtons(); });

    restoreWindowPosition(*this, ports_.settings.positionIni(), kSection);
    list_->restoreLayout(ports_.settings.positionIni(), kSection);
    list_->reload();
    updateButtons();
}

QPushButton* BrowseClipboard::button(const QString& caption) const {
    for (QPushButton* pushButton : buttons_) {
        if (pushButton->text() == caption) {
            return pushButton;
        }
    }
    return nullptr;
}

void BrowseClipboard::updateButtons() {
    const bool any = !list_->empty();
    for (const char* caption : {"&Copy to Clipboard", "&View", "&Delete", "&Toggle Save", "&Run"}) {
        button(QString::fromLatin1(caption))->setEnabled(any);
    }
}

void BrowseClipboard::copyToClipboard() {
    if (const Clipboard* entry = current()) {
        ports_.clipboard.setText(trimRight(entry->ClipContents));
    }
}

void BrowseClipboard::view() {
    if (const Clipboard* entry = current()) {
        UpdateClipboard form(*entry, ports_.settings, this);
        form.exec();
    }
}

void BrowseClipboard::deleteEntry() {
    const Clipboard* entry = current();
    if (entry == nullptr) {
        return;
    }
    if (entry->ClipKeep != 0) {
        const platform::MessageButton answer = ports_.ui.message(platform::MessageRequest{
            "This clipboard record has a \"Save\" indicator.  Are you sure you want to delete it?",
            "Delete Record", platform::MessageIcon::Question, platform::Yes | platform::No,
            platform::No});
        if (answer != platform::Yes) {
            return;
        }
    }
    ports_.access.deleteRecord(store::clipboardTable(), *entry);
    list_->reload();
    updateButtons();
}

void BrowseClipboard::toggleSave() {
    const Clipboard* shown = current();
    if (shown == nullptr) {
        return;
    }
    store::Table<Clipboard> table(use_.table());
    Clipboard entry;
    if (!table.reget(shown->position, entry).ok()) {
        list_->reload();
        return;
    }
    entry.ClipKeep = static_cast<std::uint8_t>(entry.ClipKeep != 0 ? 0 : 1);
    if (table.put(entry).ok()) {
        rows_->showRecord(entry);
        list_->showPage();
    } else {
        list_->reload();
    }
    updateButtons();
}

void BrowseClipboard::run() {
    const Clipboard* entry = current();
    if (entry == nullptr) {
        return;
    }
    for (const std::string& target : runTargets(entry->ClipContents)) {
        engine::LaunchRequest request;
        request.command = target;
        ports_.launcher.launch(request);
    }
}

void BrowseClipboard::closeWindow() {
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    sub != nullptr ? static_cast<void>(sub->close()) : static_cast<void>(close());
}

void BrowseClipboard::closeEvent(QCloseEvent* event) {
    list_->saveLayout(ports_.settings.positionIni(), kSection);
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    saveWindowPosition(sub != nullptr ? static_cast<QWidget&>(*sub) : *this,
                       ports_.settings.positionIni(), kSection);
    event->accept();
}

UpdateClipboard::UpdateClipboard(const store::Clipboard& entry, store::Settings& settings,
                                 QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(QStringLiteral("Clipboard Record"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Date:"),
                 new QLabel(text(settings_.formatDate(entry.ClipDate)), this));
    form->addRow(QStringLiteral("Time:"),
                 new QLabel(text(store::formatTime("t3", entry.ClipTime, {})), this));
    auto* keep = new QCheckBox(QStringLiteral("Save"), this);
    keep->setChecked(entry.ClipKeep != 0);
    keep->setEnabled(false);
    form->addRow(QString(), keep);
    auto* contents = new QPlainTextEdit(text(entry.ClipContents), this);
    contents->setObjectName(QStringLiteral("contents"));
    contents->setReadOnly(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(contents, 1);
    layout->addWidget(buttons);
    restoreWindowPosition(*this, settings_.positionIni(), kSection);
}

void UpdateClipboard::done(int result) {
    saveWindowPosition(*this, settings_.positionIni(), kSection);
    QDialog::done(result);
}

}  // namespace agendix::shell
