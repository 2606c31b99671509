#include "RtfFieldInstruction.h"

#include <QList>

namespace RtfFieldInstruction {

QString hyperlinkTarget(const QString& instruction) {
    const QString text = instruction.trimmed();
    if (!text.startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive))
        return {};
    // Arguments are quoted or bare; \l marks a place in this document and
    // \o, \t take an argument of their own (tooltip, target frame).
    struct Arg {
        QString text;
        bool quoted;
    };
    QList<Arg> args;
    for (qsizetype i = 9; i < text.size();) {
        if (text.at(i).isSpace()) {
            ++i;
        } else if (text.at(i) == u'"') {
            const qsizetype end = text.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? text.size() : end;
            args.append({text.mid(i + 1, stop - i - 1), true});
            i = stop + 1;
        } else {
            qsizetype end = i;
            while (end < text.size() && !text.at(end).isSpace())
                ++end;
            args.append({text.mid(i, end - i), false});
            i = end;
        }
    }
    bool local = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const Arg& arg = args.at(i);
        if (!arg.quoted && arg.text == QLatin1String("\\l"))
            local = true;
        else if (!arg.quoted &&
                 (arg.text == QLatin1String("\\o") || arg.text == QLatin1String("\\t")))
            ++i;
        else if (!arg.text.isEmpty() && (arg.quoted || !arg.text.startsWith(u'\\')))
            return local ? u'#' + arg.text : arg.text;
    }
    return {};
}

} // namespace RtfFieldInstruction
