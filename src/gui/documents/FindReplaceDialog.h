#pragma once

#include "TextFinder.h"

#include <QDialog>
#include <QPointer>

class Prompter;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The editors' find and replace dialog. It stays open beside the text while
// the user steps through the matches, and one dialog serves every editor:
// opening it from another editor turns it to that editor.
class FindReplaceDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the one dialog for the editor, the editor's selection as the
    // text to find. The editor widget is watched, so a closed editor is
    // never searched.
    static FindReplaceDialog* showFor(QWidget* editor, TextFinder* finder, Prompter& prompter);
    static FindReplaceDialog* current();

    QString statusText() const;

private:
    FindReplaceDialog(Prompter& prompter, QWidget* parent);

    void setTarget(QWidget* editor, TextFinder* finder);
    TextFinder* target() const;
    bool readChoices();
    void findNext(bool backwards);
    void replaceOne();
    void replaceAll();
    void report(TextFinder::Result result, bool backwards);
    void updateButtons();

    Prompter& m_prompter;
    QPointer<QWidget> m_editor;
    TextFinder* m_finder = nullptr;
    QLineEdit* m_find;
    QLineEdit* m_with;
    QCheckBox* m_wholeWord;
    QCheckBox* m_matchCase;
    QPushButton* m_next;
    QPushButton* m_previous;
    QPushButton* m_replace;
    QPushButton* m_replaceAll;
    QLabel* m_status;
};
