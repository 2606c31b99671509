#pragma once

#include <QString>
#include <QWidget>

// A document shown in a tab of the main window. The window commands close
// documents by kind: material text windows, web windows, and the rest
// (rich text, pictures, placeholders).
class DocumentWindow : public QWidget {
    Q_OBJECT
public:
    enum class Kind { MaterialText, Web, Other };

    explicit DocumentWindow(Kind kind, QWidget* parent = nullptr) : QWidget(parent), m_kind(kind) {}

    Kind kind() const { return m_kind; }

    // The file shown, when there is one; used to find an already open window.
    virtual QString filePath() const { return {}; }

    // Saves a modified document; true when there was nothing to save.
    virtual bool save() { return true; }
    virtual bool isModified() const { return false; }

    // The editor commands (see DocumentCommands) reach the active document
    // through these, so one menu serves every open document of a kind.
    virtual bool commandEnabled(int id) const { return false; }
    virtual bool commandChecked(int id) const { return false; }
    virtual void runCommand(int id) {}

protected:
    // Puts the modified mark "*" (and a note such as a read-only mark) after
    // whatever name the window has: its file's, or the material's that the
    // main window gave it.
    void showModifiedMark(bool modified, const QString& note = {}) {
        QString name = windowTitle();
        if (!m_titleNote.isEmpty() && name.endsWith(m_titleNote))
            name.chop(m_titleNote.size());
        if (name.endsWith(u'*'))
            name.chop(1);
        m_titleNote = note;
        setWindowTitle(name + (modified ? QStringLiteral("*") : QString()) + note);
    }

private:
    Kind m_kind;
    QString m_titleNote;
};
