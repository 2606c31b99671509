#include "KeepsakePrinter.h"

#include "TimeText.h"

#include <QFontMetrics>
#include <QPageRanges>
#include <QPainter>

namespace {

// Far beyond any document: pages before it are only measured, not drawn.
constexpr int kMeasureOnlyFrom = 1 << 28;

} // namespace

KeepsakePrinter::KeepsakePrinter(const QString& title, const QFont& font)
    : QsciPrinter(QPrinter::HighResolution), m_title(headerTitle(title)), m_font(font) {
    setDocName(m_title);
}

QString KeepsakePrinter::headerTitle(const QString& windowTitle) {
    QString title = windowTitle;
    const qsizetype cut = qMax(title.lastIndexOf(u'\\'), title.lastIndexOf(u'/'));
    if (cut >= 0)
        title = title.mid(cut + 1);
    title.remove(u'*');
    return title;
}

QString KeepsakePrinter::footerText(int page, int pageCount) {
    return QStringLiteral("Page %1 of %2").arg(page).arg(pageCount);
}

bool KeepsakePrinter::printDocument(QsciScintillaBase* editor) {
    m_time = TimeText::now();
    QPainter painter;
    if (!painter.begin(this))
        return false;

    // The footer names the page count, which only a first pass that lays
    // the pages out without drawing can tell.
    const QPageRanges chosen = pageRanges();
    setFromTo(kMeasureOnlyFrom, kMeasureOnlyFrom);
    m_lastPageFormatted = 0;
    printRange(editor, painter);
    m_pageCount = m_lastPageFormatted;
    setPageRanges(chosen);

    const bool ok = m_pageCount > 0 && printRange(editor, painter);
    painter.end();
    return ok;
}

void KeepsakePrinter::formatPage(QPainter& painter, bool drawing, QRect& area, int page) {
    m_lastPageFormatted = qMax(m_lastPageFormatted, page);
    painter.save();
    painter.setFont(m_font);
    const QFontMetrics metrics(painter.font(), painter.device());
    const int line = metrics.height();
    const int gap = line / 2;

    const QRect header(area.left(), area.top(), area.width(), line);
    const QRect footer(area.left(), area.bottom() - line + 1, area.width(), line);
    if (drawing) {
        painter.setPen(Qt::black);
        painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, m_title);
        painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter, m_time);
        painter.drawLine(area.left(), header.bottom() + gap / 2, area.right(),
                         header.bottom() + gap / 2);
        painter.drawLine(area.left(), footer.top() - gap / 2, area.right(), footer.top() - gap / 2);
        painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter,
                         footerText(page, m_pageCount));
    }
    painter.restore();
    area.setTop(header.bottom() + gap + 1);
    area.setBottom(footer.top() - gap - 1);
}
