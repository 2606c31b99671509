#pragma once

#include <QFont>
#include <QString>
#include <Qsci/qsciprinter.h>

class QsciScintillaBase;

// Prints a text document with a header (title at the left, time of printing
// at the right, a rule below) and a footer (a rule above, "Page n of m").
class KeepsakePrinter : public QsciPrinter {
public:
    KeepsakePrinter(const QString& title, const QFont& font);

    // The title as the header shows it: the last part of a path, without
    // the "*" that marks a modified document.
    static QString headerTitle(const QString& windowTitle);
    static QString footerText(int page, int pageCount);

    // Prints the whole text on this printer; false when there was nothing
    // to print or the printer failed.
    bool printDocument(QsciScintillaBase* editor);

    int pageCount() const { return m_pageCount; }

protected:
    void formatPage(QPainter& painter, bool drawing, QRect& area, int page) override;

private:
    QString m_title;
    QString m_time;
    QFont m_font;
    int m_pageCount = 0;
    int m_lastPageFormatted = 0;
};
