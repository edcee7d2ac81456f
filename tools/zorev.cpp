// ZORev.EXE: shows the message given as its one, quoted, command-line argument, and ends when the
// user closes it. Reminders use it when the user wants messages shown by a program of their own.
#include <QApplication>
#include <QMessageBox>
#include <QStringList>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList words = QApplication::arguments();
    words.removeFirst();
    QMessageBox box(QMessageBox::Information, QStringLiteral("Message"), words.join(QLatin1Char(' ')),
                    QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
    return 0;
}
