#include "CSearchFileTypeSet.h"

#include "search/FileSearchPreferences.h"
#include "search/SearchFileTypePage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const char* const kButtonTexts[3] = {"添加", "修改", "删除"};

QGroupBox* frameWith(QWidget* parent, const QString& title, QListWidget* list,
                     QPushButton* (&buttons)[3]) {
    auto* frame = new QGroupBox(title, parent);
    auto* column = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new QPushButton(QString::fromUtf8(kButtonTexts[i]), frame);
        column->addWidget(buttons[i]);
    }
    column->addStretch(1);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(list, 1);
    row->addLayout(column);
    return frame;
}

} // namespace

CSearchFileTypeSet::CSearchFileTypeSet(SearchFileTypePage& page, FileSearchPreferences& preferences,
                                       const QString& openDatabasePath, QWidget* parent)
    : QWidget(parent), m_page(page) {
    setWindowTitle(QStringLiteral("文件搜索设置"));
    m_groupList = new QListWidget(this);
    m_typeList = new QListWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frameWith(this, QStringLiteral("搜索文件组"), m_groupList, m_groupButtons));
    layout->addWidget(
        frameWith(this, QStringLiteral("搜索文件类型(如*.rtf)"), m_typeList, m_typeButtons));
    m_documentText = new QCheckBox(QStringLiteral("搜索文档中的文字"), this);
    m_documentText->setToolTip(
        QStringLiteral("RTF、网页和MHT文件按阅读时看到的文字搜索，而不是按其中的标记"));
    m_documentText->setChecked(preferences.documentText());
    m_contentIndex = new QCheckBox(QStringLiteral("为当前知识库建立内容索引(加快文件搜索)"), this);
    m_contentIndex->setEnabled(!openDatabasePath.isEmpty());
    m_contentIndex->setChecked(!openDatabasePath.isEmpty() &&
                               preferences.contentIndex(openDatabasePath));
    layout->addWidget(m_documentText);
    layout->addWidget(m_contentIndex);
    connect(m_documentText, &QCheckBox::toggled, this,
            [&preferences](bool on) { preferences.setDocumentText(on); });
    connect(m_contentIndex, &QCheckBox::toggled, this, [&preferences, openDatabasePath](bool on) {
        preferences.setContentIndex(openDatabasePath, on);
    });

    connect(m_groupList, &QListWidget::currentRowChanged, this, [this](int row) {
        m_page.SelectGroup(row);
        refresh();
    });
    connect(m_typeList, &QListWidget::currentRowChanged, this, [this](int row) {
        m_page.SelectType(row);
        refresh();
    });
    connect(m_typeList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        m_page.SetTypeChecked(m_typeList->row(item), item->checkState() == Qt::Checked);
        // Without a selected group the mark springs back.
        refresh();
    });
    const std::pair<bool (SearchFileTypePage::*)(), bool> groupEdits[3] = {
        {&SearchFileTypePage::AddGroup, true},
        {&SearchFileTypePage::ModifyGroup, true},
        {&SearchFileTypePage::DeleteGroup, true}};
    const std::pair<bool (SearchFileTypePage::*)(), bool> typeEdits[3] = {
        {&SearchFileTypePage::AddType, false},
        {&SearchFileTypePage::ModifyType, false},
        {&SearchFileTypePage::DeleteType, false}};
    for (int i = 0; i < 3; ++i) {
        connect(m_groupButtons[i], &QPushButton::clicked, this,
                [this, e = groupEdits[i]] { run(e.first, e.second); });
        connect(m_typeButtons[i], &QPushButton::clicked, this,
                [this, e = typeEdits[i]] { run(e.first, e.second); });
    }
    refresh();
}

void CSearchFileTypeSet::run(bool (SearchFileTypePage::*edit)(), bool touchesGroups) {
    if (!(m_page.*edit)())
        return;
    refresh();
    if (touchesGroups)
        Q_EMIT groupsChanged();
}

void CSearchFileTypeSet::refresh() {
    const QSignalBlocker groupBlocker(m_groupList);
    const QSignalBlocker typeBlocker(m_typeList);
    m_groupList->clear();
    m_groupList->addItems(m_page.GroupNames());
    m_groupList->setCurrentRow(m_page.SelectedGroup());
    m_typeList->clear();
    const QStringList patterns = m_page.TypePatterns();
    for (int row = 0; row < patterns.size(); ++row) {
        auto* item = new QListWidgetItem(patterns.at(row), m_typeList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(m_page.IsTypeChecked(row) ? Qt::Checked : Qt::Unchecked);
    }
    m_typeList->setCurrentRow(m_page.SelectedType());
    for (int i = 1; i < 3; ++i) {
        m_groupButtons[i]->setEnabled(m_page.GroupButtonsEnabled());
        m_typeButtons[i]->setEnabled(m_page.TypeButtonsEnabled());
    }
}
