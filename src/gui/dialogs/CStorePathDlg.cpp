#include "CStorePathDlg.h"

#include "Prompter.h"
#include "config/FirstRunSetup.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CStorePathDlg::CStorePathDlg(Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter) {
    setWindowTitle(QStringLiteral("设置知识文件库存放路径"));

    m_nameEdit = new QLineEdit(QStringLiteral("我的知识库"), this);
    // The user's home folder stands where a Windows system suggested "C:\".
    m_folderEdit =
        new QLineEdit(QDir::toNativeSeparators(QDir::homePath() + QLatin1Char('/')), this);
    auto* browseButton = new QPushButton(QStringLiteral("浏览..."), this);
    connect(browseButton, &QPushButton::clicked, this, &CStorePathDlg::browse);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folderEdit, 1);
    folderRow->addWidget(browseButton);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_okButton = buttons->button(QDialogButtonBox::Ok);
    m_okButton->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CStorePathDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CStorePathDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("我的知识库名称:"), this));
    layout->addWidget(m_nameEdit);
    layout->addWidget(
        new QLabel(QStringLiteral("知识库文件存放路径:(建议选择非系统盘,以免重装系统丢失)"), this));
    layout->addLayout(folderRow);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    setMinimumWidth(460);
}

void CStorePathDlg::browse() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, QStringLiteral("选择知识库文件存放路径"), m_folderEdit->text());
    if (!chosen.isEmpty())
        m_folderEdit->setText(chosen);
}

void CStorePathDlg::accept() {
    const QString name = FirstRunSetup::cleanBaseName(m_nameEdit->text());
    m_nameEdit->setText(name);
    if (name.isEmpty()) {
        m_prompter.error(QStringLiteral("请输入知识库名称!"));
        return;
    }
    const QString folder = m_folderEdit->text().trimmed();
    if (folder.isEmpty()) {
        m_prompter.error(QStringLiteral("请选择知识库文件存放路径!"));
        return;
    }
    m_name = name;
    m_folder = FirstRunSetup::normaliseFolder(QDir::fromNativeSeparators(folder));
    QDialog::accept();
}
