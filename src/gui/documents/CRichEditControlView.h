#pragma once

#include "DocumentWindow.h"
#include "TextFinder.h"

#include <QString>

class CommandRegistry;
class Prompter;
class QTextCharFormat;
class QTextEdit;
class RichTextFormatBar;

// The rich-text document: one RTF file (a description file of type 0) in a
// rich-text editor with its format bar. Saving writes RTF that WordPad and
// Word open.
class CRichEditControlView : public DocumentWindow, public TextFinder {
    Q_OBJECT
public:
    CRichEditControlView(CommandRegistry& commands, Prompter& prompter, QWidget* parent = nullptr);

    // False when the file cannot be read or is not RTF; an empty file opens
    // as an empty text.
    bool open(const QString& path);

    QString filePath() const override { return m_path; }
    bool save() override;
    bool isModified() const override;

    bool commandEnabled(int id) const override;
    bool commandChecked(int id) const override;
    void runCommand(int id) override;

    Result find(const QString& text, const Options& options, bool backwards) override;
    Result replace(const QString& text, const QString& with, const Options& options) override;
    int replaceAll(const QString& text, const QString& with, const Options& options) override;
    bool canReplace() const override;
    QString selectionForFind() const override;

    // Selects the given occurrence (0 for the first) of a text and scrolls to
    // it, as a search hit is shown; false when the document holds fewer.
    bool showOccurrence(const QString& text, int occurrence, bool matchCase);

    QTextEdit* editor() const { return m_edit; }
    RichTextFormatBar* formatBar() const { return m_bar; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateTitle();
    void showFormat();
    void mergeFormat(const QTextCharFormat& format);
    void setForeground(const QColor& colour);
    void toggleBullets();
    void insertTime();
    void chooseMoreColours();
    void print();
    void printPreview();
    void showContextMenu(const QPoint& pos);

    CommandRegistry& m_commands;
    Prompter& m_prompter;
    RichTextFormatBar* m_bar;
    QTextEdit* m_edit;
    QString m_path;
};
