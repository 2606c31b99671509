#include "CNewBaseDlg.h"

#include "DialogRows.h"
#include "Workspace.h"
#include "workspace/KnowledgeBaseCreator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CNewBaseDlg::CNewBaseDlg(Workspace& workspace, QWidget* parent)
    : QDialog(parent), m_workspace(workspace) {
    setWindowTitle(QStringLiteral("新建本地知识库"));
    m_nameEdit = new QLineEdit(this);
    m_folderEdit = new QLineEdit(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("本地知识库名称:"), this));
    layout->addWidget(m_nameEdit);
    layout->addWidget(new QLabel(QStringLiteral("知识库配置文件路径:"), this));
    layout->addLayout(
        DialogRows::folderRow(this, m_folderEdit, QStringLiteral("选择知识库存放路径")));
    layout->addSpacing(8);
    m_okButton = DialogRows::okCancel(this, layout);
    setMinimumWidth(460);
}

void CNewBaseDlg::accept() {
    // The core checks the fields and says what is wrong.
    m_createdId =
        KnowledgeBaseCreator(m_workspace).CreateBlankBase(m_nameEdit->text(), m_folderEdit->text());
    if (m_createdId)
        QDialog::accept();
}
