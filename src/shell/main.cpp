// Agendix: takes no arguments and works in its current directory, where its data file lives.
#include <QApplication>
#include <filesystem>

#include "platform/Clock.h"
#include "platform/qt/QtUserInterface.h"
#include "shell/Icons.h"
#include "shell/MainFrame.h"
#include "shell/StoreMainTables.h"
#include "store/Database.h"
#include "store/FileAccess.h"
#include "store/StandardWarnings.h"

int main(int argc, char** argv) {
    using namespace agendix;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Agendix"));
    QApplication::setWindowIcon(shell::frameIcon());

    const std::filesystem::path startupDirectory = std::filesystem::current_path();
    platform::SystemClock clock;
    platform::QtUserInterface ui;
    store::Database database(startupDirectory);
    store::StandardWarnings warnings(ui);
    store::FileAccess access(database, warnings);
    shell::StoreMainTables tables(access);

    shell::MainFrame frame(clock, ui, tables);
    ui.setParentWindow(&frame);
    if (!frame.open()) {
        return 1;  // the data could not be opened; the user has been told why
    }
    return QApplication::exec();
}
