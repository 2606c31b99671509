#include "AddressRules.h"

#include <QUrl>

namespace AddressRules {

QString keywordLookup(const QString& host, const QString& word) {
    if (host.trimmed().isEmpty())
        return {};
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setAuthority(host.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty())
        return {};
    url.setPath(QStringLiteral("/cns.dll"));
    // Encoded in full, so that a "&" or "#" in the word stays part of the
    // name instead of starting another parameter.
    url.setQuery(QStringLiteral("type=cns&fa=1&name=") +
                     QString::fromLatin1(QUrl::toPercentEncoding(word)),
                 QUrl::StrictMode);
    return url.isValid() ? url.toString(QUrl::FullyEncoded) : QString();
}

std::optional<Opening> enter(const QString& typed, Qt::KeyboardModifiers modifiers,
                             const QString& keywordHost) {
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    // The drive letter of this system: a path is never sent to the keyword
    // service, and "http://" in front would make it a host's name.
    if (text.startsWith(QLatin1Char('/')))
        return Opening{text, text};

    const bool forced = modifiers & (Qt::ControlModifier | Qt::ShiftModifier);
    const int colon = text.indexOf(QLatin1Char(':'));
    if (!forced && colon < 0 && !text.contains(QLatin1Char('.'))) {
        const QString lookup = keywordLookup(keywordHost, text);
        if (!lookup.isEmpty())
            return Opening{lookup, text};
    }
    if (colon > 1) {
        QString target = text;
        target.replace(QLatin1Char('\\'), QLatin1Char('/'));
        return Opening{target, text};
    }
    if (colon < 0) {
        const QString target = QStringLiteral("http://") + text;
        return Opening{target, forced ? target : text};
    }
    return Opening{text, text};
}

QUrl urlOf(const QString& address) {
    return QUrl::fromUserInput(address.trimmed());
}

int findTyped(const QStringList& entries, const QString& shown) {
    const int exact = entries.indexOf(shown);
    if (exact >= 0)
        return exact;
    const QString other =
        shown.endsWith(QLatin1Char('/')) ? shown.chopped(1) : shown + QLatin1Char('/');
    return entries.indexOf(other);
}

} // namespace AddressRules
