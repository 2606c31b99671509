#include "CInternetOptionsDlg.h"

#include "DialogRows.h"
#include "Prompter.h"
#include "web/AddressRules.h"
#include "web/BrowserProfile.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CInternetOptionsDlg::CInternetOptionsDlg(BrowserProfile& browser, Prompter& prompter,
                                         QWidget* parent)
    : QDialog(parent), m_browser(browser), m_prompter(prompter),
      m_startPage(new QLineEdit(browser.startPage(), this)),
      m_keywordService(new QLineEdit(browser.keywordService(), this)) {
    setWindowTitle(QStringLiteral("Internet 选项"));
    m_startPage->setObjectName(QStringLiteral("startPage"));
    m_startPage->setPlaceholderText(QStringLiteral("空白页"));
    m_startPage->setMinimumWidth(360);
    m_keywordService->setObjectName(QStringLiteral("keywordService"));
    m_keywordService->setPlaceholderText(QStringLiteral("不使用"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("主页(&H):"), m_startPage);
    form->addRow(QStringLiteral("关键字服务(&K):"), m_keywordService);
    auto* hint = new QLabel(QStringLiteral("在地址栏中输入不含“.”和“:”的单个词时，"
                                           "向此主机查询该词；为空时不查询，直接按网址打开。"),
                            this);
    hint->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    layout->addLayout(buttons);
    DialogRows::okCancel(this, buttons);
}

void CInternetOptionsDlg::accept() {
    const QString service = m_keywordService->text().trimmed();
    if (!service.isEmpty() && AddressRules::keywordLookup(service, QStringLiteral("x")).isEmpty()) {
        m_prompter.notice(
            QStringLiteral("关键字服务 '%1' 不是有效的主机名，请输入如 www.example.com 的主机名。")
                .arg(service));
        m_keywordService->setFocus();
        return;
    }
    if (!m_browser.setStartPage(m_startPage->text().trimmed()) ||
        !m_browser.setKeywordService(service)) {
        m_prompter.error(QStringLiteral("无法保存 Internet 选项，所做的更改没有保存!"));
        return;
    }
    QDialog::accept();
}
