#pragma once

#include <QDialog>
#include <QStringDecoder>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/UserInterface.h"
#include "store/IniFile.h"
#include "store/StandardWarnings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QPagedPaintDevice;
class QPrinter;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStringListModel;

namespace agendix::shell {

// Reads a text file a step at a time: lines of up to 255 characters (a longer line continues on
// the next), line ends "\n" or "\r\n", UTF-8.
class TextFileReader {
  public:
    static constexpr qint64 kBytesPerStep = 20000;
    static constexpr int kMaxLineLength = 255;

    explicit TextFileReader(std::filesystem::path path) : path_(std::move(path)) {}
    ~TextFileReader();
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    enum class Opened { Ok, Empty, Failed };
    Opened open();
    // After a failed open: the system's error number and text.
    int errorNumber() const { return errorNumber_; }
    std::string errorText() const;

    // Reads up to kBytesPerStep bytes; true once the end of the file is reached.
    bool step();
    // Bytes read × 100 / size at opening, whole percent, at most 100.
    int percent() const;
    const QStringList& lines() const { return lines_; }

  private:
    void take(QStringView text);
    void addCharacter(QChar c);
    void endLine();

    std::filesystem::path path_;
    int fd_ = -1;
    int errorNumber_ = 0;
    qint64 size_ = 0;
    qint64 read_ = 0;
    QStringDecoder decoder_{QStringDecoder::Utf8};
    QString pending_;
    bool pendingReturn_ = false;
    QStringList lines_;
};

// A search of the viewer's lines.
struct SearchRequest {
    QString text;
    bool wholeWord = false;
    bool matchCase = false;
    bool down = true;
};

// The line contains the text (without regard to case unless matchCase). With wholeWord, some
// occurrence of it must have no letter, digit or underscore right before or after it.
bool lineMatches(const QString& line, const SearchRequest& request);

// The search window of the viewer: "Find What:", "Match &Whole Word Only", "Match &Case",
// "Direction" "Up"/"Down", "Find" and "Cancel".
class FindDialog final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kMaxTextLength = 20;

    explicit FindDialog(QWidget* parent = nullptr);
    void setRequest(const SearchRequest& request);
    SearchRequest request() const;

  private:
    QLineEdit* text_;
    QCheckBox* wholeWord_;
    QCheckBox* matchCase_;
    QRadioButton* up_;
    QRadioButton* down_;
};

// What a text viewer shows and how.
struct TextViewerSetup {
    QString title;                // the window's title
    std::filesystem::path file;   // the file shown; its name as given is the name in messages
    std::string positionSection;  // its section of the position file
    QString fontFamily;           // a fixed-pitch font; the system's fixed font when missing
    // A failed open first shows "Please note this errorcode:  " with the error number and text.
    bool reportErrorCode = false;
};

// File › "View &Log": the event log in a viewer (the log file name as the frame has it).
TextViewerSetup logViewerSetup(std::filesystem::path logFile);
// The script editor's list of key abbreviations.
TextViewerSetup keyListViewerSetup(std::filesystem::path keyFile);

// A window that shows a text file's lines in a fixed-pitch list, with "&Print", "&Find...",
// "Find Next" and "&Close". It loads the file in a progress window ("Reading File", "N%
// Completed", "Cancel"), 20,000 bytes per timer event, when it opens and whenever it gains the
// focus or is resized while its file is not the one it last loaded. Its place is kept in the
// position file under its section: restored when it is first shown, saved when it closes.
class TextViewer final : public QWidget {
    Q_OBJECT

  public:
    // The printer "&Print" prints to; none: nothing is printed. By default the user picks one in
    // the print dialog.
    using PrinterSource = std::function<std::shared_ptr<QPrinter>()>;

    TextViewer(TextViewerSetup setup, platform::UserInterface& ui, store::IniFile positionFile,
               QWidget* parent = nullptr);
    ~TextViewer() override;

    void setPrinterSource(PrinterSource source) { printerSource_ = std::move(source); }
    // Shows another file: it is loaded at the next focus, resize or show.
    void setFile(std::filesystem::path file) { setup_.file = std::move(file); }

    const QStringList& lines() const { return lines_; }
    bool isLoading() const { return reader_ != nullptr; }
    // The highlighted line, -1 for none.
    int currentLine() const;
    void setCurrentLine(int line);

    // Searches from the highlighted line and remembers the search for "Find Next". At the end
    // (or the beginning) of the lines the user is asked whether to go on from the other end; a
    // search that went all the way round ends. True when a line was found and highlighted.
    bool find(const SearchRequest& request);
    bool findNext();

    // Prints every line, one per printed line, in the viewer's font.
    void printTo(QPagedPaintDevice& device) const;

    QListView* listView() const { return list_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* findNextButton() const { return findNext_; }
    // The progress window while loading, else null.
    QDialog* progressWindow() const { return progress_; }

  signals:
    // The load that began has ended: read whole, cancelled, or failed with its message shown.
    void loadFinished();

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void loadIfChanged();
    void startLoad();
    void loadStep();
    void cancelRequested();
    void finishLoad();
    void updateProgress();
    bool search(const SearchRequest& request);
    void showFindDialog();
    void print();
    QWidget& positioned();
    std::string fileName() const { return setup_.file.string(); }

    TextViewerSetup setup_;
    platform::UserInterface& ui_;
    store::StandardWarnings warnings_;
    store::IniFile positionFile_;
    PrinterSource printerSource_;

    QListView* list_;
    QStringListModel* model_;
    QPushButton* print_;
    QPushButton* find_;
    QPushButton* findNext_;
    QPushButton* close_;

    QDialog* progress_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* progressText_ = nullptr;
    int shownPercent_ = -1;
    QTimer loadTimer_;
    std::unique_ptr<TextFileReader> reader_;
    std::optional<std::filesystem::path> loadedFile_;
    bool loadCheckPosted_ = false;
    bool positionRestored_ = false;

    QStringList lines_;
    std::optional<SearchRequest> lastSearch_;
};

}  // namespace agendix::shell
