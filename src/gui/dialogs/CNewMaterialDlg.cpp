#include "CNewMaterialDlg.h"

#include "materials/MaterialPanes.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CNewMaterialDlg::CNewMaterialDlg(MaterialPanes& panes, const QString& code,
                                 std::function<QString()> typeText, QWidget* parent)
    : QDialog(parent), m_panes(panes), m_code(code), m_typeText(std::move(typeText)),
      m_name(new QLineEdit(this)),
      m_open(new QCheckBox(QStringLiteral("自动打开资料描述信息"), this)) {
    setWindowTitle(QStringLiteral("新建资料"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_name->setMaxLength(100);
    auto* folder = new QLineEdit(panes.creator().TargetPath(code), this);
    folder->setReadOnly(true);
    m_open->setChecked(panes.creator().openAfterwards());

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("资料名称："), m_name);
    form->addRow(QStringLiteral("资料目录："), folder);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewMaterialDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CNewMaterialDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_open);
    layout->addWidget(buttons);
    setMinimumWidth(440);
    m_name->setFocus();
}

void CNewMaterialDlg::accept() {
    const std::optional<MaterialRecord> made =
        m_panes.service().create(m_code, m_name->text(), m_typeText(), m_open->isChecked());
    if (!made)
        return;
    Q_EMIT created(*made, m_open->isChecked());
    QDialog::accept();
}
