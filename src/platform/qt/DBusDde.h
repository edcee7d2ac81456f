#pragma once

#include <QDBusConnection>
#include <QString>
#include <map>

#include "platform/Dde.h"

namespace agendix::platform {

// Commands to another program over D-Bus, in the shape of a DDE conversation: the application is
// the service's bus name ("org.example.Notes"), the topic its object path ("/org/example/Notes";
// blank means "/"), and the command a method, plain ("Save") or with its interface
// ("org.example.Notes.Save"). Text after the first blank of the command goes with the call as one
// string argument ("Open /home/user/todo.txt").
//
// A conversation opens only with a service that is on the bus now and a valid object path;
// anything else gives no conversation, without a message. A command waits for the service's
// answer, at most the time-out.
class DBusDde final : public Dde {
  public:
    explicit DBusDde(QDBusConnection bus = QDBusConnection::sessionBus(), int timeoutMs = 5000);

    DdeConversation connect(const std::string& application, const std::string& topic) override;
    // True when the service answered the call without an error.
    bool execute(DdeConversation conversation, const std::string& command) override;
    void close(DdeConversation conversation) override;

  private:
    struct Conversation {
        QString service;
        QString path;
    };

    QDBusConnection bus_;
    int timeoutMs_;
    std::map<DdeConversation, Conversation> open_;
    DdeConversation next_ = 1;
};

}  // namespace agendix::platform
