#pragma once

#include "DocumentWindow.h"
#include "TextFinder.h"
#include "config/TextFileFormat.h"

#include <QString>

class CommandRegistry;
class Prompter;
class QsciScintilla;
class SyntaxScheme;

// The material text document: one text file in a syntax-colouring editor,
// with bookmarks, a line marker, folding and the program's commands. The
// file is written back in the encoding and with the line ends it came with.
class CKeepsakeView : public DocumentWindow, public TextFinder {
    Q_OBJECT
public:
    CKeepsakeView(const SyntaxScheme& scheme, CommandRegistry& commands, Prompter& prompter,
                  QWidget* parent = nullptr);

    // False when the file cannot be read. A file whose bytes would not
    // survive being decoded and written again opens read-only.
    bool open(const QString& path);

    QString filePath() const override { return m_path; }
    bool save() override;
    bool isModified() const override;
    bool isReadOnly() const;
    // For a file the text view shows but must never write, such as an RTF
    // file opened at a search hit's line.
    void setReadOnly(bool readOnly);
    // Takes the scheme's current font, layout and colours, after the scheme
    // file has been edited.
    void applyScheme();
    const TextFileFormat& fileFormat() const { return m_format; }

    bool commandEnabled(int id) const override;
    bool commandChecked(int id) const override;
    void runCommand(int id) override;

    // Moves the caret to the row (counted from 1, as the file search lists
    // rows) and sets or clears the line marker there.
    void GoToLineAndMark(int line);

    QString printHeaderTitle() const;
    QString rowColText() const;
    QsciScintilla* editor() const { return m_edit; }

    // The text a find dialog offers next; the find-word command sets it.
    static QString findText();
    // The find dialog's choices, which the find-word command follows.
    static void setFindOptions(bool wholeWord, bool matchCase) {
        lastOptions() = {wholeWord, matchCase};
    }

    Result find(const QString& text, const Options& options, bool backwards) override;
    Result replace(const QString& text, const QString& with, const Options& options) override;
    int replaceAll(const QString& text, const QString& with, const Options& options) override;
    bool canReplace() const override { return !isReadOnly(); }
    QString selectionForFind() const override;

Q_SIGNALS:
    // "Ln %d, Col %d" for the status bar whenever the caret moves.
    void rowColChanged(const QString& text);
    void saved();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpEditor();
    void updateTitle();
    void updateLineNumberWidth();
    void showContextMenu(const QPoint& pos);

    void findWord(bool backwards);
    void showFindDialog();
    Result searchAndSelect(const QByteArray& needle, const Options& options, bool backwards);
    long searchIn(long from, long to, const QByteArray& needle);
    void tabifySelectedLines();
    void untabifySelection();
    void toggleMarker(int line, int marker);
    bool hasBookmarks() const;
    void goToBookmark(bool next);
    void goToLine(int line);
    void askGoToLine();
    void print();
    void printPreview();

    const SyntaxScheme& m_scheme;
    CommandRegistry& m_commands;
    Prompter& m_prompter;
    QsciScintilla* m_edit;
    QString m_path;
    TextFileFormat m_format;
    Qt::KeyboardModifiers m_shortcutModifiers;
};
