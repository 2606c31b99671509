#include "CUserInfoPage.h"

#include "RefreshingComboBox.h"
#include "web/UpdateProfile.h"
#include "workspace/UserInfoSettings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

CUserInfoPage::CUserInfoPage(UserInfoSettings& settings, Profile& profile, QWidget* parent)
    : QWidget(parent), m_settings(settings) {
    setWindowTitle(QStringLiteral("其它设置"));
    m_startCheck = new QCheckBox(QStringLiteral("系统启动是否自动加载本地知识库"), this);
    m_startGroup = new QGroupBox(QStringLiteral("本地知识库选择"), this);
    m_startBaseBox = new RefreshingComboBox(
        [this] {
            if (m_settings.refreshBaseEntries())
                fillBases();
        },
        m_startGroup);
    auto* searchGroup = new QGroupBox(QStringLiteral("默认查询文件类型"), this);
    m_searchGroupBox = new RefreshingComboBox(
        [this] {
            if (m_settings.refreshGroupNames())
                fillGroups();
        },
        searchGroup);

    (new QVBoxLayout(m_startGroup))->addWidget(m_startBaseBox);
    (new QVBoxLayout(searchGroup))->addWidget(m_searchGroupBox);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_startCheck);
    layout->addWidget(m_startGroup);
    layout->addWidget(searchGroup);
    layout->addWidget(createUpdateGroup(profile));
    layout->addStretch(1);

    m_startCheck->setChecked(m_settings.startsWithBase());
    m_startGroup->setEnabled(m_settings.startsWithBase());
    fillBases();
    fillGroups();

    connect(m_startCheck, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.setStartsWithBase(on);
        m_startGroup->setEnabled(on);
    });
    connect(m_startBaseBox, &QComboBox::textActivated, this,
            [this](const QString& entry) { m_settings.chooseStartBase(entry); });
    connect(m_searchGroupBox, &QComboBox::textActivated, this,
            [this](const QString& name) { m_settings.chooseSearchGroup(name); });
}

// Refilling must not count as the user's choice, hence activation signals
// only and blocked index changes.
void CUserInfoPage::fillBases() {
    const QSignalBlocker blocker(m_startBaseBox);
    m_startBaseBox->clear();
    m_startBaseBox->addItems(m_settings.baseEntries());
    // As in the selector above the tree: greyed, saying why on hover.
    for (int i = 0; i < m_startBaseBox->count(); ++i) {
        const QString why = m_settings.unavailableText(i);
        if (why.isEmpty())
            continue;
        m_startBaseBox->setItemData(i, why, Qt::ToolTipRole);
        m_startBaseBox->setItemData(
            i, m_startBaseBox->palette().color(QPalette::Disabled, QPalette::Text),
            Qt::ForegroundRole);
    }
    m_startBaseBox->setCurrentIndex(m_settings.startBaseIndex());
}

void CUserInfoPage::fillGroups() {
    const QSignalBlocker blocker(m_searchGroupBox);
    m_searchGroupBox->clear();
    m_searchGroupBox->addItems(m_settings.groupNames());
    m_searchGroupBox->setCurrentIndex(m_settings.searchGroupIndex());
}

QGroupBox* CUserInfoPage::createUpdateGroup(Profile& profile) {
    auto* group = new QGroupBox(QStringLiteral("产品更新"), this);
    m_updateServerEdit = new QLineEdit(UpdateProfile(profile).server(), group);
    m_updateServerEdit->setPlaceholderText(QStringLiteral("主机名[:端口]"));
    auto* hint = new QLabel(QStringLiteral("留空则不检查更新，不向任何服务器发送请求。"), group);
    hint->setWordWrap(true);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("更新服务器:"), m_updateServerEdit);
    form->addRow(hint);
    // Stored on its own, read fresh by the next check: nothing else of the
    // profile is written back.
    connect(m_updateServerEdit, &QLineEdit::editingFinished, this,
            [this, &profile] { UpdateProfile(profile).setServer(m_updateServerEdit->text()); });
    return group;
}
