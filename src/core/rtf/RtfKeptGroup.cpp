#include "RtfKeptGroup.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextCharFormat>
#include <QTextDocument>

#include <array>
#include <string_view>

namespace RtfKeptGroup {

namespace {

// Draws a kept group as its label in a thin frame, so the user sees that
// something is there and where.
class Placeholder : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    using QObject::QObject;

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat& format) override {
        const QString text = labelOf(format);
        if (text.isEmpty())
            return {0, 0};
        const QFontMetricsF metrics(format.toCharFormat().font());
        return {metrics.horizontalAdvance(text) + 2 * kPadding, metrics.height()};
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                    const QTextFormat& format) override {
        const QString text = labelOf(format);
        if (text.isEmpty())
            return;
        painter->save();
        painter->setPen(QColor(128, 128, 128));
        painter->drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
        painter->setFont(format.toCharFormat().font());
        painter->drawText(rect, Qt::AlignCenter, text);
        painter->restore();
    }

private:
    static constexpr qreal kPadding = 3;

    static QString labelOf(const QTextFormat& format) {
        return label(Kind(format.intProperty(kKindProperty)));
    }
};

struct Destination {
    std::string_view word;
    Kind kind;
};

constexpr std::array kDestinations = std::to_array<Destination>({
    {"annotation", Kind::Comment},
    {"bkmkend", Kind::Mark},
    {"bkmkstart", Kind::Mark},
    {"do", Kind::Drawing},
    {"footer", Kind::Footer},
    {"footerf", Kind::Footer},
    {"footerl", Kind::Footer},
    {"footerr", Kind::Footer},
    {"footnote", Kind::Footnote},
    {"header", Kind::Header},
    {"headerf", Kind::Header},
    {"headerl", Kind::Header},
    {"headerr", Kind::Header},
    {"object", Kind::Object},
    {"pict", Kind::Picture},
    {"shp", Kind::Drawing},
    {"tc", Kind::Mark},
    {"xe", Kind::Mark},
});

} // namespace

std::optional<Kind> kindOfDestination(QByteArrayView word) {
    const std::string_view key(word.data(), size_t(word.size()));
    for (const Destination& d : kDestinations) {
        if (d.word == key)
            return d.kind;
    }
    return std::nullopt;
}

QTextCharFormat format(const QByteArray& rtf, Kind kind) {
    QTextCharFormat f;
    f.setObjectType(kObjectType);
    f.setProperty(kBytesProperty, rtf);
    f.setProperty(kKindProperty, int(kind));
    return f;
}

bool isKeptGroup(const QTextFormat& format) {
    return format.objectType() == kObjectType;
}

QByteArray bytesOf(const QTextFormat& format) {
    return format.property(kBytesProperty).toByteArray();
}

QString label(Kind kind) {
    switch (kind) {
    case Kind::Picture:
        return QStringLiteral("图片");
    case Kind::Object:
        return QStringLiteral("对象");
    case Kind::Drawing:
        return QStringLiteral("图形");
    case Kind::Field:
        return QStringLiteral("域");
    case Kind::Header:
        return QStringLiteral("页眉");
    case Kind::Footer:
        return QStringLiteral("页脚");
    case Kind::Footnote:
        return QStringLiteral("脚注");
    case Kind::Comment:
        return QStringLiteral("批注");
    case Kind::Mark:
        break;
    }
    return {};
}

void showIn(QTextDocument* document) {
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    if (!layout->handlerForObject(kObjectType))
        layout->registerHandler(kObjectType, new Placeholder(document));
}

} // namespace RtfKeptGroup

#include "RtfKeptGroup.moc"
