#pragma once

#include "DocumentWindow.h"
#include "config/TextFileFormat.h"

#include <QString>

class CommandRegistry;
class Prompter;
class QsciScintilla;
class SyntaxScheme;

// The material text document: one text file in a syntax-colouring editor,
// with bookmarks, a line marker, folding and the program's commands. The
// file is written back in the encoding and with the line ends it came with.
class CKeepsakeView : public DocumentWindow {
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
    void setFindOptions(bool wholeWord, bool matchCase) {
        m_wholeWord = wholeWord;
        m_matchCase = matchCase;
    }

Q_SIGNALS:
    // "Ln %d, Col %d" for the status bar whenever the caret moves.
    void rowColChanged(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpEditor();
    void updateTitle();
    void updateLineNumberWidth();
    void showContextMenu(const QPoint& pos);

    void findWord(bool backwards);
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
    bool m_wholeWord = false;
    bool m_matchCase = false;
};
