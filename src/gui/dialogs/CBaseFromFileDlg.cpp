#include "CBaseFromFileDlg.h"

#include "CTreePreviewWnd.h"
#include "DialogRows.h"
#include "ProgressDialogRunner.h"
#include "Workspace.h"
#include "bases/CategoryTreeFile.h"
#include "workspace/KnowledgeBaseCreator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CBaseFromFileDlg::CBaseFromFileDlg(Workspace& workspace, QWidget* parent)
    : QDialog(parent), m_workspace(workspace) {
    setWindowTitle(QStringLiteral("依照知识库模板创建本地知识库"));
    m_fileEdit = new QLineEdit(this);
    m_nameEdit = new QLineEdit(this);
    m_folderEdit = new QLineEdit(this);
    m_preview = new CTreePreviewWnd(this);

    auto* fileRow =
        DialogRows::fileRow(this, m_fileEdit, QStringLiteral("选择知识库文件"),
                            QStringLiteral("知识库文件 (*.%1)").arg(CategoryTreeFile::kExtension));
    m_previewButton = new QPushButton(QStringLiteral("知识库预览"), this);
    connect(m_previewButton, &QPushButton::clicked, this, &CBaseFromFileDlg::togglePreview);
    fileRow->addWidget(m_previewButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("导入知识库文件路径:"), this));
    layout->addLayout(fileRow);
    layout->addWidget(new QLabel(QStringLiteral("新建知识库名称:"), this));
    layout->addWidget(m_nameEdit);
    layout->addWidget(new QLabel(QStringLiteral("新建知识库存放路径:"), this));
    layout->addLayout(
        DialogRows::folderRow(this, m_folderEdit, QStringLiteral("选择新建知识库存放路径")));
    layout->addSpacing(8);
    m_okButton = DialogRows::okCancel(this, layout);
    setMinimumWidth(500);
}

void CBaseFromFileDlg::togglePreview() {
    if (m_preview->isVisible()) {
        m_preview->hide();
        return;
    }
    const auto roots =
        CategoryTreeFile::Preview(m_fileEdit->text().trimmed(), m_workspace.prompter());
    if (!roots)
        return;
    m_preview->showTree(*roots);
    // Beside the dialog, so the file and its tree are seen together.
    m_preview->move(frameGeometry().topRight());
    m_preview->show();
}

void CBaseFromFileDlg::accept() {
    // A file of many thousand categories takes a while to import.
    ProgressDialogRunner runner(this);
    KnowledgeBaseCreator creator(m_workspace);
    creator.setTaskRunner(runner);
    m_createdId = creator.CreateBaseFromFile(m_fileEdit->text().trimmed(), m_nameEdit->text(),
                                             m_folderEdit->text());
    if (m_createdId) {
        m_preview->hide();
        QDialog::accept();
    }
}
