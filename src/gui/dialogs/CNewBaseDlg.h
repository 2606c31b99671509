#pragma once

#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;
class Workspace;

// "新建本地知识库": a blank base under a name in a folder. It stays open
// while the core refuses, so the user can correct what was typed.
class CNewBaseDlg : public QDialog {
    Q_OBJECT
public:
    explicit CNewBaseDlg(Workspace& workspace, QWidget* parent = nullptr);

    // The new base's ID after OK.
    std::optional<int> createdId() const { return m_createdId; }

    QLineEdit* nameEdit() const { return m_nameEdit; }
    QLineEdit* folderEdit() const { return m_folderEdit; }
    QPushButton* okButton() const { return m_okButton; }

    void accept() override;

private:
    Workspace& m_workspace;
    QLineEdit* m_nameEdit;
    QLineEdit* m_folderEdit;
    QPushButton* m_okButton;
    std::optional<int> m_createdId;
};
