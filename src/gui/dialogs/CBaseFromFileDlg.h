#pragma once

#include <QDialog>
#include <optional>

class CTreePreviewWnd;
class QLineEdit;
class QPushButton;
class Workspace;

// "依照知识库模板创建本地知识库": a new base whose categories come from an
// exported knowledge-base file. Stays open while the core refuses.
class CBaseFromFileDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBaseFromFileDlg(Workspace& workspace, QWidget* parent = nullptr);

    std::optional<int> createdId() const { return m_createdId; }

    QLineEdit* fileEdit() const { return m_fileEdit; }
    QLineEdit* nameEdit() const { return m_nameEdit; }
    QLineEdit* folderEdit() const { return m_folderEdit; }
    QPushButton* previewButton() const { return m_previewButton; }
    QPushButton* okButton() const { return m_okButton; }
    CTreePreviewWnd* preview() const { return m_preview; }

    void accept() override;

private:
    // A second press hides the window, so the button works as a toggle.
    void togglePreview();

    Workspace& m_workspace;
    QLineEdit* m_fileEdit;
    QLineEdit* m_nameEdit;
    QLineEdit* m_folderEdit;
    QPushButton* m_previewButton;
    QPushButton* m_okButton;
    CTreePreviewWnd* m_preview;
    std::optional<int> m_createdId;
};
