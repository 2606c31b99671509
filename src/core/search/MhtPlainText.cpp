#include "MhtPlainText.h"

#include "HtmlCharset.h"
#include "HtmlPlainText.h"

#include <QByteArray>
#include <QHash>

namespace {

// Multipart parts within parts; archives use two levels at most.
constexpr int kMaxDepth = 8;

struct Part {
    QHash<QByteArray, QByteArray> headers; // names lower-case, folded lines joined
    QByteArrayView body;
};

QByteArrayView lineAt(QByteArrayView bytes, qsizetype from, qsizetype* next) {
    const qsizetype lf = bytes.indexOf('\n', from);
    const qsizetype end = lf < 0 ? bytes.size() : lf;
    *next = lf < 0 ? bytes.size() : lf + 1;
    QByteArrayView line = bytes.sliced(from, end - from);
    return line.endsWith('\r') ? line.chopped(1) : line;
}

// The header lines up to the first empty one, and the body after it;
// std::nullopt when the first line is not a header.
std::optional<Part> readPart(QByteArrayView bytes) {
    Part part;
    QByteArray name;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype next;
        const QByteArrayView line = lineAt(bytes, pos, &next);
        pos = next;
        if (line.isEmpty())
            break;
        if ((line[0] == ' ' || line[0] == '\t') && !name.isEmpty()) {
            part.headers[name] += ' ' + line.trimmed().toByteArray();
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) {
            if (part.headers.isEmpty())
                return std::nullopt;
            continue;
        }
        name = line.first(colon).trimmed().toByteArray().toLower();
        part.headers[name] = line.sliced(colon + 1).trimmed().toByteArray();
    }
    part.body = bytes.sliced(pos);
    return part;
}

// A header value's main word, lower-case, and one of its parameters.
QByteArray mainValue(const QByteArray& value) {
    const qsizetype semicolon = value.indexOf(';');
    return (semicolon < 0 ? value : value.first(semicolon)).trimmed().toLower();
}

QByteArray parameter(const QByteArray& value, QByteArrayView key) {
    qsizetype pos = value.indexOf(';');
    while (pos >= 0 && pos < value.size()) {
        qsizetype i = pos + 1;
        while (i < value.size() && (value[i] == ' ' || value[i] == '\t'))
            ++i;
        const qsizetype equals = value.indexOf('=', i);
        if (equals < 0)
            return {};
        const bool match = value.sliced(i, equals - i).trimmed().toLower() == key;
        qsizetype v = equals + 1;
        while (v < value.size() && (value[v] == ' ' || value[v] == '\t'))
            ++v;
        QByteArray found;
        if (v < value.size() && value[v] == '"') {
            const qsizetype close = value.indexOf('"', v + 1);
            const qsizetype end = close < 0 ? value.size() : close;
            found = value.sliced(v + 1, end - v - 1);
            pos = value.indexOf(';', end);
        } else {
            const qsizetype semicolon = value.indexOf(';', v);
            found = value.sliced(v, (semicolon < 0 ? value.size() : semicolon) - v).trimmed();
            pos = semicolon;
        }
        if (match)
            return found;
    }
    return {};
}

QList<Part> bodyParts(QByteArrayView body, const QByteArray& boundary) {
    // A part runs from the line after one delimiter line to the line break
    // before the next; the delimiter with "--" after it ends the message.
    const QByteArray delimiter = "--" + boundary;
    QList<Part> parts;
    qsizetype partStart = -1;
    for (qsizetype pos = 0; pos < body.size();) {
        qsizetype next;
        const qsizetype lineStart = pos;
        const QByteArrayView line = lineAt(body, pos, &next);
        pos = next;
        if (!line.startsWith(delimiter))
            continue;
        const QByteArrayView rest = line.sliced(delimiter.size()).trimmed();
        if (!rest.isEmpty() && rest != "--")
            continue;
        if (partStart >= 0) {
            qsizetype end = lineStart;
            if (end > partStart && body[end - 1] == '\n')
                --end;
            if (end > partStart && body[end - 1] == '\r')
                --end;
            if (auto part = readPart(body.sliced(partStart, end - partStart)))
                parts.append(*part);
        }
        if (rest == "--")
            return parts;
        partStart = pos;
    }
    if (partStart >= 0 && partStart < body.size()) {
        if (auto part = readPart(body.sliced(partStart))) // cut after its last part
            parts.append(*part);
    }
    return parts;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Quoted-printable: what a '=' does not start stays as it is.
QByteArray unquote(QByteArrayView bytes) {
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '=') {
            out.append(c);
            continue;
        }
        // "=" at a line's end is a soft line break, "=XX" a byte.
        qsizetype j = i + 1;
        while (j < bytes.size() && (bytes[j] == ' ' || bytes[j] == '\t'))
            ++j;
        if (j < bytes.size() && (bytes[j] == '\n' || bytes[j] == '\r')) {
            if (bytes[j] == '\r' && j + 1 < bytes.size() && bytes[j + 1] == '\n')
                ++j;
            i = j;
            continue;
        }
        const int hi = i + 1 < bytes.size() ? hexValue(bytes[i + 1]) : -1;
        const int lo = i + 2 < bytes.size() ? hexValue(bytes[i + 2]) : -1;
        if (hi >= 0 && lo >= 0) {
            out.append(char(hi * 16 + lo));
            i += 2;
            continue;
        }
        out.append(c);
    }
    return out;
}

std::optional<QString> pageText(const Part& part, int depth);

std::optional<QString> fromMultipart(const Part& message, const QByteArray& contentType,
                                     int depth) {
    const QByteArray boundary = parameter(contentType, "boundary");
    if (boundary.isEmpty() || depth >= kMaxDepth)
        return std::nullopt;
    const QList<Part> parts = bodyParts(message.body, boundary);
    // The root is the part the message names as its start, else the first
    // page among its parts.
    QByteArray start = parameter(contentType, "start");
    if (start.startsWith('<') && start.endsWith('>'))
        start = start.sliced(1, start.size() - 2);
    if (!start.isEmpty()) {
        for (const Part& part : parts) {
            QByteArray id = part.headers.value("content-id");
            if (id.startsWith('<') && id.endsWith('>'))
                id = id.sliced(1, id.size() - 2);
            if (id == start) {
                if (auto text = pageText(part, depth + 1))
                    return text;
                break;
            }
        }
    }
    for (const Part& part : parts) {
        if (auto text = pageText(part, depth + 1))
            return text;
    }
    return std::nullopt;
}

std::optional<QString> pageText(const Part& part, int depth) {
    const QByteArray contentType = part.headers.value("content-type");
    const QByteArray type = mainValue(contentType);
    if (type.startsWith("multipart/"))
        return fromMultipart(part, contentType, depth);
    if (type != "text/html" && type != "application/xhtml+xml")
        return std::nullopt;
    const QByteArray encoding = mainValue(part.headers.value("content-transfer-encoding"));
    QByteArray html;
    if (encoding == "quoted-printable")
        html = unquote(part.body);
    else if (encoding == "base64")
        html = QByteArray::fromBase64(part.body.toByteArray());
    else
        html = part.body.toByteArray();
    return HtmlPlainText::fromHtml(HtmlCharset::decode(html, parameter(contentType, "charset")));
}

} // namespace

namespace MhtPlainText {

std::optional<QString> read(QByteArrayView mht) {
    const std::optional<Part> message = readPart(mht);
    if (!message || !message->headers.contains("content-type"))
        return std::nullopt;
    return pageText(*message, 0);
}

} // namespace MhtPlainText
