#include "script/WindowTitlePattern.h"

namespace agendix::script {
namespace {

QString withoutTrailingBlanks(QString text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' ')) {
        --end;
    }
    text.truncate(end);
    return text;
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

WindowTitlePattern::WindowTitlePattern(std::string_view pattern) {
    if (!pattern.empty() && pattern.front() == '~') {
        absence_ = true;
        pattern.remove_prefix(1);
    }
    const QString text = fromUtf8(pattern);
    whole_ = withoutTrailingBlanks(text);
    const qsizetype star = text.indexOf(QLatin1Char('*'));
    if (star == 0) {
        kind_ = Kind::Anywhere;
        part_ = withoutTrailingBlanks(text.mid(1));
    } else if (star > 0) {
        kind_ = Kind::Prefix;
        part_ = text.left(star);
    }
}

bool WindowTitlePattern::matches(std::string_view title) const {
    if (whole_.isEmpty()) {
        return false;
    }
    const QString text = fromUtf8(title);
    if (QString::compare(withoutTrailingBlanks(text), whole_, Qt::CaseInsensitive) == 0) {
        return true;
    }
    switch (kind_) {
        case Kind::Exact:
            return false;
        case Kind::Prefix:
            return text.startsWith(part_, Qt::CaseInsensitive);
        case Kind::Anywhere:
            return text.contains(part_, Qt::CaseInsensitive);
    }
    return false;
}

}  // namespace agendix::script
