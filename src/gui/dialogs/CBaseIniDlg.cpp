#include "CBaseIniDlg.h"

#include "DialogRows.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CBaseIniDlg::CBaseIniDlg(const QString& initial, Apply apply, QWidget* parent)
    : QDialog(parent), m_apply(std::move(apply)) {
    setWindowTitle(QStringLiteral("设置本地知识库"));
    m_pathEdit = new QLineEdit(initial, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("本地知识库配置文件:"), this));
    layout->addLayout(DialogRows::fileRow(this, m_pathEdit,
                                          QStringLiteral("选择本地知识库配置文件"),
                                          QStringLiteral("Text Files (*.ini)")));
    layout->addSpacing(8);
    m_okButton = DialogRows::okCancel(this, layout);
    setMinimumWidth(460);
}

void CBaseIniDlg::accept() {
    if (m_apply(m_pathEdit->text().trimmed()))
        QDialog::accept();
}
