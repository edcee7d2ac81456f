#include "platform/qt/DBusDde.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QRegularExpression>
#include <algorithm>

namespace agendix::platform {
namespace {

QString trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed();
}

// "/" or "/" followed by elements of [A-Za-z0-9_], each after one "/".
bool validObjectPath(const QString& path) {
    static const QRegularExpression rule(QStringLiteral("^/([A-Za-z0-9_]+(/[A-Za-z0-9_]+)*)?$"));
    return rule.match(path).hasMatch();
}

// A member or interface element: [A-Za-z_][A-Za-z0-9_]*.
bool validName(const QString& name) {
    static const QRegularExpression rule(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return rule.match(name).hasMatch();
}

}  // namespace

DBusDde::DBusDde(QDBusConnection bus, int timeoutMs)
    : bus_(std::move(bus)), timeoutMs_(timeoutMs) {}

DdeConversation DBusDde::connect(const std::string& application, const std::string& topic) {
    const QString service = trimmed(application);
    QString path = trimmed(topic);
    if (path.isEmpty()) {
        path = QStringLiteral("/");
    }
    if (service.isEmpty() || !validObjectPath(path) || !bus_.isConnected()) {
        return 0;
    }
    QDBusConnectionInterface* daemon = bus_.interface();
    if (daemon == nullptr) {
        return 0;
    }
    const QDBusReply<bool> registered = daemon->isServiceRegistered(service);
    if (!registered.isValid() || !registered.value()) {
        return 0;
    }
    const DdeConversation id = next_++;
    open_[id] = {service, path};
    return id;
}

bool DBusDde::execute(DdeConversation conversation, const std::string& command) {
    const auto found = open_.find(conversation);
    if (found == open_.end()) {
        return false;
    }
    const QString text = trimmed(command);
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    const QString member = blank < 0 ? text : text.left(blank);
    const QString argument = blank < 0 ? QString() : text.mid(blank + 1).trimmed();

    const qsizetype dot = member.lastIndexOf(QLatin1Char('.'));
    const QString interfaceName = dot < 0 ? QString() : member.left(dot);
    const QString method = dot < 0 ? member : member.mid(dot + 1);
    if (!validName(method)) {
        return false;
    }
    if (!interfaceName.isEmpty()) {
        const QStringList elements = interfaceName.split(QLatin1Char('.'));
        if (elements.size() < 2 || !std::all_of(elements.begin(), elements.end(),
                                                [](const QString& e) { return validName(e); })) {
            return false;
        }
    }

    QDBusMessage call = QDBusMessage::createMethodCall(found->second.service, found->second.path,
                                                       interfaceName, method);
    if (!argument.isEmpty()) {
        call << argument;
    }
    const QDBusMessage reply = bus_.call(call, QDBus::Block, timeoutMs_);
    return reply.type() == QDBusMessage::ReplyMessage;
}

void DBusDde::close(DdeConversation conversation) {
    open_.erase(conversation);
}

}  // namespace agendix::platform
