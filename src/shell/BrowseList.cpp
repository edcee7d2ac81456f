#include "shell/BrowseList.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QStringList>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace agendix::shell {

namespace {

constexpr const char* kFormatKey = "SRCF?Browse:1";
constexpr const char* kOriginalFormatKey = "SRCFOriginal?Browse:1";
constexpr int kThumbSteps = 100;
constexpr int kWheelRows = 3;

}  // namespace

QVariant BrowseModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        return rows_.columnTitle(section);
    }
    return {};
}

PopupEntry PopupEntry::forButton(QAbstractButton* button) {
    return {button->text(), [button] { return button->isEnabled(); },
            [button] { button->click(); }};
}

BrowseList::BrowseList(PagedRows& rows, QWidget* parent)
    : QWidget(parent), rows_(rows), model_(rows) {
    tabs_ = new QTabBar(this);
    for (int order = 0; order < rows_.orderCount(); ++order) {
        tabs_->addTab(rows_.orderTab(order));
    }
    tabs_->setVisible(rows_.orderCount() > 1 || !rows_.orderTab(0).isEmpty());

    view_ = new QTableView(this);
    view_->setModel(&model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    view_->setWordWrap(false);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->setContextMenuPolicy(Qt::DefaultContextMenu);
    view_->installEventFilter(this);
    view_->viewport()->installEventFilter(this);
    const int charWidth = view_->fontMetrics().averageCharWidth();
    for (int column = 0; column < rows_.columnCount(); ++column) {
        view_->setColumnWidth(column, rows_.columnWidth(column) * charWidth + 16);
    }

    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setRange(0, kThumbSteps);
    scrollBar_->setPageStep(10);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(view_);
    body->addWidget(scrollBar_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabs_);
    layout->addLayout(body);

    connect(tabs_, &QTabBar::currentChanged, this, [this](int order) {
        if (order >= 0 && order != rows_.order()) {
            rows_.setOrder(order);
            showPage();
        }
    });
    connect(view_, &QTableView::doubleClicked, this, [this] { emit editRequested(); });
    connect(view_, &QTableView::pressed, this, [this](const QModelIndex& index) {
        rows_.setCurrent(index.row());
        showPage();
    });
    connect(scrollBar_, &QScrollBar::actionTriggered, this, &BrowseList::scrollAction);
}

void BrowseList::reload() {
    fitPageToView();
    rows_.reload();
    showPage();
}

void BrowseList::navigate(Navigation navigation) {
    switch (navigation) {
        case Navigation::FirstPage:
            rows_.home();
            break;
        case Navigation::PriorPage:
            rows_.pageUp();
            break;
        case Navigation::PriorRecord:
            rows_.up();
            break;
        case Navigation::NextRecord:
            rows_.down();
            break;
        case Navigation::NextPage:
            rows_.pageDown();
            break;
        case Navigation::LastPage:
            rows_.end();
            break;
        case Navigation::Insert:
            emit insertRequested();
            return;
    }
    showPage();
}

void BrowseList::showPage() {
    if (showing_) {
        return;
    }
    showing_ = true;
    if (tabs_->currentIndex() != rows_.order()) {
        tabs_->setCurrentIndex(rows_.order());
    }
    model_.pageChanged();
    if (rows_.current() >= 0) {
        view_->selectRow(rows_.current());
    }
    if (!scrollBar_->isSliderDown()) {
        const QSignalBlocker blocker(scrollBar_);
        scrollBar_->setValue(rows_.thumbStep());
    }
    showing_ = false;
    emit currentMoved();
}

void BrowseList::setFixedPageSize(int rows) {
    fixedPageSize_ = rows;
    if (rows > 0) {
        rows_.setPageSize(rows);
    }
}

void BrowseList::fitPageToView() {
    if (fixedPageSize_ > 0) {
        rows_.setPageSize(fixedPageSize_);
        return;
    }
    const int rowHeight = std::max(1, view_->verticalHeader()->defaultSectionSize());
    const int height = view_->viewport()->height();
    rows_.setPageSize(std::max(1, height / rowHeight));
}

void BrowseList::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int before = rows_.pageSize();
    fitPageToView();
    if (rows_.pageSize() != before) {
        rows_.reload();
        showPage();
    }
}

void BrowseList::scrollAction(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            rows_.down();
            break;
        case QAbstractSlider::SliderSingleStepSub:
            rows_.up();
            break;
        case QAbstractSlider::SliderPageStepAdd:
            rows_.pageDown();
            break;
        case QAbstractSlider::SliderPageStepSub:
            rows_.pageUp();
            break;
        case QAbstractSlider::SliderToMinimum:
            rows_.home();
            break;
        case QAbstractSlider::SliderToMaximum:
            rows_.end();
            break;
        case QAbstractSlider::SliderMove:
            rows_.thumbTo(scrollBar_->sliderPosition());
            break;
        default:
            return;
    }
    showPage();
    // The bar shows where the highlighted record lies, not where the action left the slider.
    if (action != QAbstractSlider::SliderMove) {
        scrollBar_->setSliderPosition(rows_.thumbStep());
    }
}

bool BrowseList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        return handleKey(static_cast<QKeyEvent*>(event));
    }
    if (watched == view_->viewport() && event->type() == QEvent::Wheel) {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        for (int i = 0; i < kWheelRows; ++i) {
            delta < 0 ? rows_.down() : rows_.up();
        }
        showPage();
        return true;
    }
    if (watched == view_ && event->type() == QEvent::ContextMenu) {
        if (auto menu = buildPopup()) {
            QAction* chosen = menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            if (chosen != nullptr) {
                const auto index = static_cast<std::size_t>(chosen->data().toInt());
                if (index < popup_.size() && popup_[index].run) {
                    popup_[index].run();
                }
            }
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool BrowseList::handleKey(QKeyEvent* event) {
    const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
    switch (event->key()) {
        case Qt::Key_Down:
            rows_.down();
            break;
        case Qt::Key_Up:
            rows_.up();
            break;
        case Qt::Key_PageDown:
            rows_.pageDown();
            break;
        case Qt::Key_PageUp:
            rows_.pageUp();
            break;
        case Qt::Key_Home:
            rows_.home();
            break;
        case Qt::Key_End:
            rows_.end();
            break;
        case Qt::Key_Insert:
            emit insertRequested();
            return true;
        case Qt::Key_Delete:
            emit deleteRequested();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!control) {
                return false;
            }
            emit editRequested();
            return true;
        default: {
            const QString text = event->text();
            if (text.size() != 1 || !text.front().isPrint() || text.front().isSpace() || control) {
                return false;
            }
            rows_.locate(text.front());
            break;
        }
    }
    showPage();
    return true;
}

std::unique_ptr<QMenu> BrowseList::buildPopup() {
    if (popup_.empty()) {
        return nullptr;
    }
    auto menu = std::make_unique<QMenu>(this);
    for (std::size_t i = 0; i < popup_.size(); ++i) {
        const PopupEntry& entry = popup_[i];
        if (entry.caption.isEmpty()) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(entry.caption.left(128));
        action->setData(static_cast<int>(i));
        action->setEnabled(!entry.enabled || entry.enabled());
    }
    return menu;
}

QString BrowseList::builtInFormat() const {
    QStringList parts;
    for (int column = 0; column < rows_.columnCount(); ++column) {
        parts << rows_.columnTitle(column) + ':' + QString::number(rows_.columnWidth(column));
    }
    return parts.join('|');
}

QString BrowseList::columnFormat() const {
    QStringList parts;
    for (int column = 0; column < rows_.columnCount(); ++column) {
        parts << rows_.columnTitle(column) + ':' + QString::number(view_->columnWidth(column));
    }
    return parts.join('|');
}

void BrowseList::applyColumnFormat(const QString& format) {
    const QStringList parts = format.split('|');
    if (parts.size() != rows_.columnCount()) {
        return;
    }
    std::vector<int> widths;
    for (int column = 0; column < rows_.columnCount(); ++column) {
        const QString& part = parts[column];
        const auto colon = part.lastIndexOf(':');
        bool ok = false;
        const int width = part.mid(colon + 1).toInt(&ok);
        if (colon < 0 || part.left(colon) != rows_.columnTitle(column) || !ok || width < 0) {
            return;  // not a layout of these columns
        }
        widths.push_back(width);
    }
    for (int column = 0; column < rows_.columnCount(); ++column) {
        view_->setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
    }
}

void BrowseList::restoreLayout(const store::IniFile& file, std::string_view section) {
    const std::string builtIn = builtInFormat().toStdString();
    if (file.find(section, kOriginalFormatKey) != builtIn) {
        file.write(section, kOriginalFormatKey, builtIn);
        return;
    }
    if (const auto saved = file.find(section, kFormatKey)) {
        applyColumnFormat(QString::fromStdString(*saved));
    }
}

void BrowseList::saveLayout(const store::IniFile& file, std::string_view section) const {
    file.write(section, kFormatKey, columnFormat().toStdString());
}

}  // namespace agendix::shell
