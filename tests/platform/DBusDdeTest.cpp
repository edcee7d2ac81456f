#include <gtest/gtest.h>

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <mutex>

#include "platform/qt/DBusDde.h"

namespace agendix::platform {
namespace {

// A program on the bus that records the commands it is sent.
class Receiver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.example.Notes")

public:
    QStringList calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }

public slots:
    void Open(const QString& file) { record("Open " + file); }
    void Refresh() { record("Refresh"); }

private:
    void record(const QString& call) {
        std::lock_guard lock(mutex_);
        calls_ << call;
    }
    mutable std::mutex mutex_;
    QStringList calls_;
};

// A private bus of the test's own, so nothing of the user's session is touched.
class PrivateBus : public ::testing::Test {
protected:
    void SetUp() override {
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (!daemon_.waitForStarted(5000) || !daemon_.waitForReadyRead(5000)) {
            GTEST_SKIP() << "dbus-daemon cannot run here";
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    void TearDown() override {
        daemon_.kill();
        daemon_.waitForFinished(2000);
    }

    QDBusConnection connect(const QString& name) { return QDBusConnection::connectToBus(address_, name); }

    QProcess daemon_;
    QString address_;
};

TEST_F(PrivateBus, CommandsReachTheServiceAndUnknownConversationsStaySilent) {
    QDBusConnection serverBus = connect("server");
    ASSERT_TRUE(serverBus.isConnected());
    // The receiving program answers on a thread of its own while the client's calls wait.
    QThread server;
    Receiver receiver;
    receiver.moveToThread(&server);
    server.start();
    struct Stop {
        QThread& thread;
        ~Stop() {
            thread.quit();
            thread.wait();
        }
    } stop{server};
    ASSERT_TRUE(serverBus.registerService("org.example.Notes"));
    ASSERT_TRUE(serverBus.registerObject("/notes", &receiver, QDBusConnection::ExportAllSlots));

    DBusDde dde(connect("client"), 2000);
    const DdeConversation notes = dde.connect("org.example.Notes", "/notes");
    ASSERT_NE(notes, 0);
    EXPECT_TRUE(dde.execute(notes, "org.example.Notes.Open /tmp/list.txt"));
    EXPECT_TRUE(dde.execute(notes, "Refresh"));
    EXPECT_FALSE(dde.execute(notes, "NoSuchMethod"));
    EXPECT_FALSE(dde.execute(notes, "not a method!"));
    dde.close(notes);
    EXPECT_FALSE(dde.execute(notes, "Refresh")) << "a closed conversation does nothing";
    EXPECT_EQ(receiver.calls(), (QStringList{"Open /tmp/list.txt", "Refresh"}));

    EXPECT_EQ(dde.connect("org.example.Absent", "/notes"), 0);
    EXPECT_EQ(dde.connect("org.example.Notes", "not a path"), 0);
    EXPECT_EQ(dde.connect("", "/"), 0);
    EXPECT_FALSE(dde.execute(12345, "Refresh"));
}

TEST(DBusDdeWithoutABus, NothingConnects) {
    DBusDde dde(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "none"), 500);
    EXPECT_EQ(dde.connect("org.example.Notes", "/notes"), 0);
}

}  // namespace
}  // namespace agendix::platform

#include "DBusDdeTest.moc"
