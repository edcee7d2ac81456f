#include "shell/TextViewer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QVBoxLayout>
#include <cerrno>
#include <cstring>

#include "shell/WindowPosition.h"
#include "store/StoreError.h"

namespace agendix::shell {
namespace {

QFont viewerFont(const QString& family) {
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (family.isEmpty() || !QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    }
    return font;
}

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

}  // namespace

// --- TextFileReader ---

TextFileReader::~TextFileReader() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

TextFileReader::Opened TextFileReader::open() {
    fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        errorNumber_ = errno;
        return Opened::Failed;
    }
    struct stat status {};
    if (::fstat(fd_, &status) != 0) {
        errorNumber_ = errno;
        return Opened::Failed;
    }
    if (S_ISDIR(status.st_mode)) {
        errorNumber_ = EISDIR;
        return Opened::Failed;
    }
    size_ = static_cast<qint64>(status.st_size);
    return size_ == 0 ? Opened::Empty : Opened::Ok;
}

std::string TextFileReader::errorText() const {
    return std::strerror(errorNumber_);
}

int TextFileReader::percent() const {
    if (size_ <= 0) {
        return 100;
    }
    return static_cast<int>(std::min<qint64>(100, read_ * 100 / size_));
}

bool TextFileReader::step() {
    if (fd_ < 0) {
        return true;
    }
    QByteArray chunk(static_cast<qsizetype>(kBytesPerStep), Qt::Uninitialized);
    ssize_t n = 0;
    do {
        n = ::read(fd_, chunk.data(), static_cast<std::size_t>(chunk.size()));
    } while (n < 0 && errno == EINTR);
    if (n > 0) {
        read_ += n;
        const QString text =
            decoder_.decode(QByteArrayView(chunk.constData(), static_cast<qsizetype>(n)));
        take(text);
        return false;
    }
    // The end of the file, or a read error: what was read is kept.
    if (!pending_.isEmpty()) {
        endLine();
    }
    pendingReturn_ = false;
    ::close(fd_);
    fd_ = -1;
    return true;
}

void TextFileReader::take(QStringView text) {
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            pendingReturn_ = false;
            endLine();
        } else if (c == QLatin1Char('\r')) {
            if (pendingReturn_) {
                addCharacter(c);
            }
            pendingReturn_ = true;
        } else {
            if (pendingReturn_) {
                addCharacter(QLatin1Char('\r'));
                pendingReturn_ = false;
            }
            addCharacter(c);
        }
    }
}

void TextFileReader::addCharacter(QChar c) {
    if (pending_.size() >= kMaxLineLength && !c.isLowSurrogate()) {
        endLine();
    }
    pending_ += c;
}

void TextFileReader::endLine() {
    lines_.append(pending_);
    pending_.clear();
}

// --- searching ---

bool lineMatches(const QString& line, const SearchRequest& request) {
    if (request.text.isEmpty()) {
        return false;
    }
    const Qt::CaseSensitivity cs = request.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype at = line.indexOf(request.text, 0, cs); at >= 0;
         at = line.indexOf(request.text, at + 1, cs)) {
        if (!request.wholeWord) {
            return true;
        }
        const qsizetype end = at + request.text.size();
        const bool startsWord = at == 0 || !isWordCharacter(line[at - 1]);
        const bool endsWord = end >= line.size() || !isWordCharacter(line[end]);
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}

// --- FindDialog ---

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Find"));
    auto* layout = new QVBoxLayout(this);

    auto* textRow = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Find What:"), this);
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("findWhat"));
    text_->setMaxLength(kMaxTextLength);
    label->setBuddy(text_);
    textRow->addWidget(label);
    textRow->addWidget(text_);
    layout->addLayout(textRow);

    wholeWord_ = new QCheckBox(QStringLiteral("Match &Whole Word Only"), this);
    wholeWord_->setObjectName(QStringLiteral("wholeWord"));
    matchCase_ = new QCheckBox(QStringLiteral("Match &Case"), this);
    matchCase_->setObjectName(QStringLiteral("matchCase"));
    layout->addWidget(wholeWord_);
    layout->addWidget(matchCase_);

    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    auto* directionRow = new QHBoxLayout(direction);
    up_ = new QRadioButton(QStringLiteral("Up"), direction);
    up_->setObjectName(QStringLiteral("up"));
    down_ = new QRadioButton(QStringLiteral("Down"), direction);
    down_->setObjectName(QStringLiteral("down"));
    down_->setChecked(true);
    directionRow->addWidget(up_);
    directionRow->addWidget(down_);
    layout->addWidget(direction);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* findButton =
        buttons->addButton(QStringLiteral("Find"), QDialogButtonBox::AcceptRole);
    findButton->setObjectName(QStringLiteral("find"));
    findButton->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void FindDialog::setRequest(const SearchRequest& request) {
    text_->setText(request.text);
    wholeWord_->setChecked(request.wholeWord);
    matchCase_->setChecked(request.matchCase);
    (request.down ? down_ : up_)->setChecked(true);
}

SearchRequest FindDialog::request() const {
    return SearchRequest{text_->text(), wholeWord_->isChecked(), matchCase_->isChecked(),
                         down_->isChecked()};
}

// --- TextViewer ---

TextViewerSetup logViewerSetup(std::filesystem::path logFile) {
    return TextViewerSetup{QStringLiteral("View Log"), std::move(logFile), "ViewLog",
                           QStringLiteral("Courier New"), true};
}

TextViewerSetup keyListViewerSetup(std::filesystem::path keyFile) {
    return TextViewerSetup{QStringLiteral("List of Key Abbreviations"), std::move(keyFile),
                           "ViewScriptKeys", QStringLiteral("Fixedsys"), false};
}

TextViewer::TextViewer(TextViewerSetup setup, platform::UserInterface& ui,
                       store::IniFile positionFile, QWidget* parent)
    : QWidget(parent),
      setup_(std::move(setup)),
      ui_(ui),
      warnings_(ui),
      positionFile_(std::move(positionFile)) {
    setWindowTitle(setup_.title);
    setObjectName(QString::fromStdString(setup_.positionSection));

    auto* layout = new QVBoxLayout(this);
    model_ = new QStringListModel(this);
    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("lines"));
    list_->setModel(model_);
    list_->setUniformItemSizes(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setFont(viewerFont(setup_.fontFamily));
    layout->addWidget(list_);

    auto* buttons = new QHBoxLayout;
    print_ = new QPushButton(QStringLiteral("&Print"), this);
    print_->setObjectName(QStringLiteral("print"));
    find_ = new QPushButton(QStringLiteral("&Find..."), this);
    find_->setObjectName(QStringLiteral("find"));
    findNext_ = new QPushButton(QStringLiteral("Find Next"), this);
    findNext_->setObjectName(QStringLiteral("findNext"));
    findNext_->setEnabled(false);
    close_ = new QPushButton(QStringLiteral("&Close"), this);
    close_->setObjectName(QStringLiteral("close"));
    buttons->addWidget(print_);
    buttons->addWidget(find_);
    buttons->addWidget(findNext_);
    buttons->addStretch();
    buttons->addWidget(close_);
    layout->addLayout(buttons);

    connect(print_, &QPushButton::clicked, this, &TextViewer::print);
    connect(find_, &QPushButton::clicked, this, &TextViewer::showFindDialog);
    connect(findNext_, &QPushButton::clicked, this, &TextViewer::findNext);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    loadTimer_.setInterval(0);
    connect(&loadTimer_, &QTimer::timeout, this, &TextViewer::loadStep);

    printerSource_ = [this]() -> std::shared_ptr<QPrinter> {
        auto printer = std::make_shared<QPrinter>();
        QPrintDialog dialog(printer.get(), this);
        return dialog.exec() == QDialog::Accepted ? printer : nullptr;
    };
}

TextViewer::~TextViewer() = default;

QWidget& TextViewer::positioned() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        return *sub;
    }
    return *this;
}

bool TextViewer::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::FocusIn) {
        loadIfChanged();
    }
    return QWidget::event(event);
}

void TextViewer::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!positionRestored_) {
        positionRestored_ = true;
        restoreWindowPosition(positioned(), positionFile_, setup_.positionSection);
    }
    loadIfChanged();
}

void TextViewer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isVisible()) {
        loadIfChanged();
    }
}

void TextViewer::closeEvent(QCloseEvent* event) {
    loadTimer_.stop();
    reader_.reset();
    if (progress_ != nullptr) {
        progress_->deleteLater();
        progress_ = nullptr;
    }
    saveWindowPosition(positioned(), positionFile_, setup_.positionSection);
    event->accept();
}

// The check runs from the event loop, so that its messages never appear inside a show or resize.
void TextViewer::loadIfChanged() {
    if (loadCheckPosted_) {
        return;
    }
    loadCheckPosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            loadCheckPosted_ = false;
            if (!isLoading() && loadedFile_ != setup_.file) {
                startLoad();
            }
        },
        Qt::QueuedConnection);
}

void TextViewer::startLoad() {
    // Remembered before anything is shown: a failed file is not tried again at every focus change.
    loadedFile_ = setup_.file;
    lines_.clear();
    model_->setStringList({});
    lastSearch_.reset();
    findNext_->setEnabled(false);
    reader_ = std::make_unique<TextFileReader>(setup_.file);

    switch (reader_->open()) {
        case TextFileReader::Opened::Failed: {
            const int number = reader_->errorNumber();
            const std::string text = reader_->errorText();
            reader_.reset();
            list_->setEnabled(false);
            print_->setEnabled(false);
            if (setup_.reportErrorCode) {
                ui_.message(platform::MessageRequest{
                    "Please note this errorcode:  " + std::to_string(number) + "; " + text,
                    setup_.title.toStdString(), platform::MessageIcon::Exclamation, platform::Ok,
                    platform::Ok});
            }
            warnings_.recordError(store::StoreError::fileSystem(number, fileName()));
            warnings_.show(26, fileName());
            emit loadFinished();
            return;
        }
        case TextFileReader::Opened::Empty:
            reader_.reset();
            list_->setEnabled(false);
            print_->setEnabled(false);
            warnings_.show(28, fileName());
            emit loadFinished();
            return;
        case TextFileReader::Opened::Ok:
            break;
    }

    progress_ = new QDialog(this);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setWindowTitle(QStringLiteral("Progress..."));
    progress_->setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(progress_);
    layout->addWidget(new QLabel(QStringLiteral("Reading File"), progress_));
    progressBar_ = new QProgressBar(progress_);
    progressBar_->setRange(0, 100);
    progressBar_->setTextVisible(false);
    layout->addWidget(progressBar_);
    progressText_ = new QLabel(progress_);
    progressText_->setObjectName(QStringLiteral("percent"));
    layout->addWidget(progressText_);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), progress_);
    cancel->setObjectName(QStringLiteral("cancel"));
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    connect(cancel, &QPushButton::clicked, this, &TextViewer::cancelRequested);
    // Closing the progress window is a Cancel too.
    connect(progress_, &QDialog::rejected, this, &TextViewer::cancelRequested);
    shownPercent_ = -1;
    updateProgress();
    progress_->show();
    loadTimer_.start();
}

void TextViewer::updateProgress() {
    const int percent = reader_ ? reader_->percent() : 100;
    if (percent != shownPercent_ && progress_ != nullptr) {
        shownPercent_ = percent;
        progressBar_->setValue(percent);
        progressText_->setText(QString::number(percent) + QStringLiteral("% Completed"));
    }
}

void TextViewer::loadStep() {
    if (!reader_) {
        loadTimer_.stop();
        return;
    }
    const bool done = reader_->step();
    updateProgress();
    if (done) {
        finishLoad();
    }
}

void TextViewer::cancelRequested() {
    if (!reader_) {
        return;
    }
    loadTimer_.stop();
    if (progress_ != nullptr && !progress_->isVisible()) {
        progress_->show();  // a closed progress window comes back while the question is open
    }
    if (warnings_.show(27, fileName()) == platform::Ok) {
        finishLoad();
    } else {
        loadTimer_.start();
    }
}

void TextViewer::finishLoad() {
    loadTimer_.stop();
    if (reader_) {
        lines_ = reader_->lines();
        reader_.reset();
    }
    if (progress_ != nullptr) {
        progress_->hide();
        progress_->deleteLater();
        progress_ = nullptr;
    }
    model_->setStringList(lines_);
    list_->setEnabled(true);
    print_->setEnabled(!lines_.isEmpty());
    emit loadFinished();
}

int TextViewer::currentLine() const {
    const QModelIndex index = list_->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void TextViewer::setCurrentLine(int line) {
    const QModelIndex index = model_->index(line, 0);
    list_->setCurrentIndex(index);
    list_->scrollTo(index);
}

bool TextViewer::find(const SearchRequest& request) {
    lastSearch_ = request;
    findNext_->setEnabled(true);
    return search(request);
}

bool TextViewer::findNext() {
    return lastSearch_ ? search(*lastSearch_) : false;
}

bool TextViewer::search(const SearchRequest& request) {
    const int count = static_cast<int>(lines_.size());
    if (count == 0 || request.text.isEmpty()) {
        return false;
    }
    const int start = currentLine();
    const int step = request.down ? 1 : -1;
    bool wrapped = false;
    for (int line = start;;) {
        line += step;
        if (line < 0 || line >= count) {
            if (wrapped) {
                return false;  // every line has been looked at
            }
            if (warnings_.show(29, request.down ? "Down" : "Up") != platform::Yes) {
                return false;
            }
            wrapped = true;
            line = request.down ? 0 : count - 1;
        }
        if (lineMatches(lines_[line], request)) {
            setCurrentLine(line);
            return true;
        }
        if (wrapped && line == start) {
            return false;
        }
    }
}

void TextViewer::showFindDialog() {
    FindDialog dialog(this);
    if (lastSearch_) {
        dialog.setRequest(*lastSearch_);
    }
    if (dialog.exec() == QDialog::Accepted) {
        find(dialog.request());
    }
}

void TextViewer::printTo(QPagedPaintDevice& device) const {
    QPainter painter(&device);
    if (!painter.isActive()) {
        return;
    }
    const QFont font(list_->font(), &device);
    painter.setFont(font);
    const QFontMetrics metrics(font, &device);
    const int lineHeight = metrics.lineSpacing();
    const int pageHeight = device.height();
    int y = 0;
    for (const QString& line : lines_) {
        if (y > 0 && y + lineHeight > pageHeight) {
            device.newPage();
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), line);
        y += lineHeight;
    }
}

void TextViewer::print() {
    if (lines_.isEmpty() || !printerSource_) {
        return;
    }
    const std::shared_ptr<QPrinter> printer = printerSource_();
    if (!printer) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    printTo(*printer);
    QApplication::restoreOverrideCursor();
}

}  // namespace agendix::shell
