// Agendix: takes no arguments and works in its current directory, where its data file lives.
#include <QApplication>
#include <QSocketNotifier>
#include <csignal>
#include <filesystem>
#include <unistd.h>

#include "schedule_ui/ScheduleWindows.h"
#include "shell/Icons.h"
#include "shell/Program.h"

namespace {

int signalPipe[2] = {-1, -1};

// The desktop's log-off or a kill request ends the program the way File › Exit does.
void requestClose(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Agendix"));
    QApplication::setWindowIcon(agendix::shell::frameIcon());

    agendix::shell::Program program(std::filesystem::current_path());
    program.setScheduleOpener(
        [&program] { agendix::schedule_ui::openScheduleBrowser(program.services()); });
    if (!program.open()) {
        return 1;  // the data could not be opened; the user has been told why
    }

    if (pipe(signalPipe) == 0) {
        auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &program.frame(), [&program] {
            char byte = 0;
            [[maybe_unused]] const ssize_t got = read(signalPipe[0], &byte, 1);
            program.frame().close();
        });
        for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
            std::signal(signal, requestClose);
        }
    }
    // Reminders may still be open: the program ends with its frame all the same.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&program.frame(), &agendix::shell::MainFrame::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
