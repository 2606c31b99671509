#pragma once

#include <QDialog>

class Prompter;
class QLineEdit;
class QPushButton;

// The first-run dialog: the name of the user's first knowledge base and the
// folder it will live in.
class CStorePathDlg : public QDialog {
    Q_OBJECT
public:
    explicit CStorePathDlg(Prompter& prompter, QWidget* parent = nullptr);

    // Cleaned name and folder (with its trailing "/"), valid after OK.
    QString name() const { return m_name; }
    QString folder() const { return m_folder; }

    QLineEdit* nameEdit() const { return m_nameEdit; }
    QLineEdit* folderEdit() const { return m_folderEdit; }
    QPushButton* okButton() const { return m_okButton; }

    void accept() override;

private:
    void browse();

    Prompter& m_prompter;
    QLineEdit* m_nameEdit;
    QLineEdit* m_folderEdit;
    QPushButton* m_okButton;
    QString m_name;
    QString m_folder;
};
