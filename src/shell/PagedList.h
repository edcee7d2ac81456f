#pragma once

#include <QString>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "store/Table.h"

namespace agendix::shell {

// The text scale of the scroll thumb: the values between two texts, found by counting over the
// characters that occur in them after their common beginning. Letter case is ignored.
class TextScale {
  public:
    TextScale(const std::string& first, const std::string& last);
    // The text at `fraction` (0..1) of the way from the first to the last text.
    std::string at(double fraction) const;
    // Where the text lies between the first and the last, 0..1.
    double where(const std::string& text) const;

  private:
    double number(const std::string& text) const;

    std::string prefix_;
    std::string alphabet_;  // sorted, each character once, the lowest first
    double firstNumber_ = 0;
    double lastNumber_ = 0;
};

// One sort order of a list: a tab with its key, an optional range on the key and a record test.
template <class R>
struct BrowseOrder {
    QString tab;
    std::string key;
    // The record test (filter): a record it refuses is skipped. Empty: every record.
    std::function<bool(const R&)> accept;
    // A range of the key: `rangeBound` fills the key values where the range starts (end false)
    // or ends (end true); `inRange` says whether a record lies in it. Both or neither.
    std::function<void(R&, bool end)> rangeBound;
    std::function<bool(const R&)> inRange;
    // The key field the scroll thumb and the locator move along: a number or a text, with the
    // setter that places a position record at a value.
    std::function<double(const R&)> number;
    std::function<void(R&, double)> setNumber;
    std::function<std::string(const R&)> text;
    std::function<void(R&, const std::string&)> setText;
    // True while the view can have no records at all (nothing is read then).
    std::function<bool()> isEmpty;
};

// One column of a list: its title, built-in width in characters, and what it shows of a record.
template <class R>
struct BrowseColumn {
    QString title;
    int width = 10;
    std::function<QString(const R&)> text;
    std::function<QVariant(const R&)> icon;    // a QIcon, or nothing
    std::function<QVariant(const R&)> colour;  // a QColor for the text, or nothing
};

// What a list window sees of its page of rows, whatever the table.
class PagedRows {
  public:
    virtual ~PagedRows() = default;

    virtual int columnCount() const = 0;
    virtual QString columnTitle(int column) const = 0;
    virtual int columnWidth(int column) const = 0;  // characters
    virtual QVariant data(int row, int column, int role) const = 0;

    virtual int orderCount() const = 0;
    virtual QString orderTab(int order) const = 0;
    virtual int order() const = 0;
    // Builds the view of another order, on the highlighted record when it passes that view.
    virtual void setOrder(int order) = 0;

    // Rows in the page (at most the page size) and the highlighted one (-1 in an empty list).
    virtual int rowCount() const = 0;
    virtual int current() const = 0;
    virtual void setCurrent(int row) = 0;
    virtual int pageSize() const = 0;
    virtual void setPageSize(int rows) = 0;

    // Reads the page again, kept on the highlighted record while it passes the view; else on the
    // record that followed it.
    virtual void reload() = 0;
    virtual void home() = 0;
    virtual void end() = 0;
    virtual void up() = 0;
    virtual void down() = 0;
    virtual void pageUp() = 0;
    virtual void pageDown() = 0;
    // The scroll thumb: 0..100 steps between the first and last key value of the view.
    virtual void thumbTo(int step) = 0;
    virtual int thumbStep() const = 0;
    // The step locator: a typed character.
    virtual void locate(QChar character) = 0;
};

// The page-loaded list over one table: holds one page of records along the key of the current
// order, and reads the next or previous records as the highlight leaves the page.
template <class R>
class PagedList final : public PagedRows {
  public:
    PagedList(store::StoredTable& table, std::vector<BrowseOrder<R>> orders,
              std::vector<BrowseColumn<R>> columns)
        : table_(table), orders_(std::move(orders)), columns_(std::move(columns)) {}

    int columnCount() const override { return static_cast<int>(columns_.size()); }
    QString columnTitle(int column) const override {
        return columns_.at(static_cast<std::size_t>(column)).title;
    }
    int columnWidth(int column) const override {
        return columns_.at(static_cast<std::size_t>(column)).width;
    }
    QVariant data(int row, int column, int role) const override {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
            return {};
        }
        const R& record = page_[static_cast<std::size_t>(row)];
        const BrowseColumn<R>& col = columns_[static_cast<std::size_t>(column)];
        switch (role) {
            case Qt::DisplayRole:
                return col.text ? QVariant(col.text(record)) : QVariant();
            case Qt::DecorationRole:
                return col.icon ? col.icon(record) : QVariant();
            case Qt::ForegroundRole:
                return col.colour ? col.colour(record) : QVariant();
            default:
                return {};
        }
    }

    int orderCount() const override { return static_cast<int>(orders_.size()); }
    QString orderTab(int order) const override {
        return orders_.at(static_cast<std::size_t>(order)).tab;
    }
    int order() const override { return order_; }
    void setOrder(int order) override {
        order_ = std::clamp(order, 0, orderCount() - 1);
        reload();
    }
    BrowseOrder<R>& orderAt(int order) { return orders_.at(static_cast<std::size_t>(order)); }

    int rowCount() const override { return static_cast<int>(page_.size()); }
    int current() const override { return current_; }
    void setCurrent(int row) override {
        if (!page_.empty()) {
            current_ = std::clamp(row, 0, rowCount() - 1);
        }
    }
    int pageSize() const override { return pageSize_; }
    void setPageSize(int rows) override { pageSize_ = std::max(1, rows); }

    const std::vector<R>& page() const { return page_; }
    const R* currentRecord() const {
        return current_ >= 0 ? &page_[static_cast<std::size_t>(current_)] : nullptr;
    }

    void reload() override {
        refreshEnds();
        if (const R* highlighted = currentRecord()) {
            R again;
            const R anchor = *highlighted;
            if (table_.reget(anchor.position, again).ok() && passes(again)) {
                showAround(again, true);
            } else {
                showAround(anchor, false);
            }
            return;
        }
        home();
    }
    // Shows the record (as stored now) highlighted, or the record that follows its place.
    void showRecord(const R& record) {
        refreshEnds();
        R again;
        if (record.position.stored() && table_.reget(record.position, again).ok() &&
            passes(again)) {
            showAround(again, true);
        } else {
            showAround(record, false);
        }
    }

    void home() override {
        page_ = readFrom(Place::Start, nullptr, Direction::Forward, pageSize_);
        current_ = page_.empty() ? -1 : 0;
    }
    void end() override {
        page_ = readFrom(Place::End, nullptr, Direction::Backward, pageSize_);
        std::reverse(page_.begin(), page_.end());
        current_ = rowCount() - 1;
    }
    void down() override {
        if (page_.empty()) {
            return;
        }
        if (current_ < rowCount() - 1) {
            ++current_;
            return;
        }
        std::vector<R> more = readFrom(Place::After, &page_.back(), Direction::Forward, 1);
        if (!more.empty()) {
            page_.push_back(std::move(more.front()));
            trimFront();
            current_ = rowCount() - 1;
        }
    }
    void up() override {
        if (page_.empty()) {
            return;
        }
        if (current_ > 0) {
            --current_;
            return;
        }
        std::vector<R> more = readFrom(Place::Before, &page_.front(), Direction::Backward, 1);
        if (!more.empty()) {
            page_.insert(page_.begin(), std::move(more.front()));
            trimBack();
            current_ = 0;
        }
    }
    void pageDown() override {
        if (page_.empty()) {
            return;
        }
        std::vector<R> more = readFrom(Place::After, &page_.back(), Direction::Forward, pageSize_);
        const int target =
            std::min(current_ + pageSize_, rowCount() + static_cast<int>(more.size()) - 1);
        page_.insert(page_.end(), std::make_move_iterator(more.begin()),
                     std::make_move_iterator(more.end()));
        const int dropped = trimFront();
        current_ = target - dropped;
    }
    void pageUp() override {
        if (page_.empty()) {
            return;
        }
        std::vector<R> more =
            readFrom(Place::Before, &page_.front(), Direction::Backward, pageSize_);
        const int added = static_cast<int>(more.size());
        page_.insert(page_.begin(), std::make_move_iterator(more.rbegin()),
                     std::make_move_iterator(more.rend()));
        trimBack();
        current_ = std::max(0, current_ + added - pageSize_);
    }

    void thumbTo(int step) override {
        refreshEnds();
        if (!first_ || !last_) {
            page_.clear();
            current_ = -1;
            return;
        }
        const BrowseOrder<R>& order = currentOrder();
        const double fraction = std::clamp(step, 0, 100) / 100.0;
        R place;
        if (order.rangeBound) {
            order.rangeBound(place, false);
        }
        if (order.setNumber && order.number) {
            const double a = order.number(*first_);
            const double b = order.number(*last_);
            order.setNumber(place, a + (b - a) * fraction);
        } else if (order.setText && order.text) {
            order.setText(place, TextScale(order.text(*first_), order.text(*last_)).at(fraction));
        } else {
            home();
            return;
        }
        showAt(place);
    }
    int thumbStep() const override {
        const R* at = currentRecord();
        if (at == nullptr || !first_ || !last_) {
            return 0;
        }
        const BrowseOrder<R>& order = currentOrder();
        double fraction = 0;
        if (order.number) {
            const double a = order.number(*first_);
            const double b = order.number(*last_);
            fraction = b > a ? (order.number(*at) - a) / (b - a) : 0;
        } else if (order.text) {
            fraction = TextScale(order.text(*first_), order.text(*last_)).where(order.text(*at));
        }
        return static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * 100));
    }

    void locate(QChar character) override {
        const BrowseOrder<R>& order = currentOrder();
        const QString typed = QString(character).toCaseFolded();
        if (const R* at = currentRecord()) {
            const QString lead = order.text ? QString::fromStdString(order.text(*at))
                                 : order.number
                                     ? QString::number(static_cast<qint64>(order.number(*at)))
                                     : QString();
            if (lead.toCaseFolded().startsWith(typed)) {
                down();
                return;
            }
        }
        if (!order.setText) {
            return;  // numbers are not ordered as their text: no place to go to
        }
        R place;
        if (order.rangeBound) {
            order.rangeBound(place, false);
        }
        order.setText(place, QString(character).toStdString());
        showAt(place);
    }

  private:
    using Direction = store::Direction;
    enum class Place { Start, End, After, Before, At };

    const BrowseOrder<R>& currentOrder() const {
        return orders_.at(static_cast<std::size_t>(order_));
    }

    bool passes(const R& record) const {
        const BrowseOrder<R>& order = currentOrder();
        return (!order.inRange || order.inRange(record)) && (!order.accept || order.accept(record));
    }

    // Up to `count` records that pass the view, read along the key from the place.
    std::vector<R> readFrom(Place place, const R* from, Direction direction, int count) {
        const BrowseOrder<R>& order = currentOrder();
        std::vector<R> found;
        if (count <= 0 || (order.isEmpty && order.isEmpty())) {
            return found;
        }
        const store::KeyDef& key = table_.def().key(order.key);
        switch (place) {
            case Place::Start:
            case Place::End:
                if (order.rangeBound) {
                    R bound;
                    order.rangeBound(bound, place == Place::End);
                    table_.setPosition(order.key, bound);
                } else {
                    table_.setKey(order.key);
                }
                break;
            case Place::At:
                table_.setPosition(order.key, *from);
                break;
            case Place::After:
            case Place::Before:
                table_.restorePosition(
                    {&key,
                     store::KeyBoundary{
                         false, table_.stored().keyValues(key, store::toRow(R::fields(), *from)),
                         from->position.row, false}});
                break;
        }
        std::vector<R> batch;
        while (static_cast<int>(found.size()) < count) {
            batch.clear();
            const int want = std::max(count - static_cast<int>(found.size()), kMinimumBatch);
            const store::StoreError error = table_.nextPage(want, batch, direction);
            for (R& record : batch) {
                if (order.inRange && !order.inRange(record)) {
                    return found;  // past the end of the range: nothing further along can pass
                }
                if ((!order.accept || order.accept(record)) &&
                    static_cast<int>(found.size()) < count) {
                    found.push_back(std::move(record));
                }
            }
            if (!error.ok() || static_cast<int>(batch.size()) < want) {
                break;
            }
        }
        return found;
    }

    // A page that holds the anchor (when `include`) or else the records after its place, with
    // as many rows before it as the highlight had above it.
    void showAround(const R& anchor, bool include) {
        const BrowseOrder<R>& order = currentOrder();
        if (order.inRange && !order.inRange(anchor)) {
            home();  // the range has moved away from the record
            return;
        }
        std::vector<R> after = readFrom(Place::After, &anchor, Direction::Forward, pageSize_);
        if (include) {
            after.insert(after.begin(), anchor);
            if (static_cast<int>(after.size()) > pageSize_) {
                after.pop_back();
            }
        }
        if (after.empty()) {
            end();
            return;
        }
        const int above = std::clamp(current_, 0, pageSize_ - 1);
        fillAbove(std::move(after), above);
    }
    // A page starting at the first record at or after the position values.
    void showAt(const R& place) {
        std::vector<R> after = readFrom(Place::At, &place, Direction::Forward, pageSize_);
        if (after.empty()) {
            end();
            return;
        }
        fillAbove(std::move(after), 0);
    }
    // The page from `rows` (starting with the row to highlight), with up to `above` rows before
    // it, and more when the rows do not fill the page.
    void fillAbove(std::vector<R> rows, int above) {
        const int want = std::max(above, pageSize_ - static_cast<int>(rows.size()));
        std::vector<R> before = readFrom(Place::Before, &rows.front(), Direction::Backward, want);
        const int shown = static_cast<int>(before.size());
        page_.assign(std::make_move_iterator(before.rbegin()),
                     std::make_move_iterator(before.rend()));
        page_.insert(page_.end(), std::make_move_iterator(rows.begin()),
                     std::make_move_iterator(rows.end()));
        current_ = shown;
        trimBack();
    }

    // Drops rows beyond the page size from the front; the number dropped.
    int trimFront() {
        const int excess = std::max(0, rowCount() - pageSize_);
        page_.erase(page_.begin(), page_.begin() + excess);
        return excess;
    }
    void trimBack() {
        if (rowCount() > pageSize_) {
            page_.resize(static_cast<std::size_t>(pageSize_));
        }
        current_ = std::min(current_, rowCount() - 1);
    }
    // The first and last records of the view, which the thumb interpolates between.
    void refreshEnds() {
        std::vector<R> firstRow = readFrom(Place::Start, nullptr, Direction::Forward, 1);
        std::vector<R> lastRow = readFrom(Place::End, nullptr, Direction::Backward, 1);
        first_ = firstRow.empty() ? std::nullopt : std::optional<R>(std::move(firstRow.front()));
        last_ = lastRow.empty() ? std::nullopt : std::optional<R>(std::move(lastRow.front()));
    }

    static constexpr int kMinimumBatch = 32;

    store::Table<R> table_;
    std::vector<BrowseOrder<R>> orders_;
    std::vector<BrowseColumn<R>> columns_;
    int order_ = 0;
    int pageSize_ = 20;
    std::vector<R> page_;
    int current_ = -1;
    std::optional<R> first_;
    std::optional<R> last_;
};

}  // namespace agendix::shell
