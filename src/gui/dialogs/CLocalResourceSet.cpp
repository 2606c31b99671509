#include "CLocalResourceSet.h"

#include "CBaseIniDlg.h"
#include "Prompter.h"
#include "config/ResourceConfig.h"
#include "workspace/DescriptTypeChecklist.h"
#include "workspace/LocalBaseList.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const char* const kButtonTexts[3] = {"添加", "修改", "删除"};

QGroupBox* frameWith(QWidget* parent, const QString& title, QWidget* list,
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

CLocalResourceSet::CLocalResourceSet(LocalBaseList& bases, DescriptTypeChecklist& types,
                                     Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_bases(bases), m_types(types), m_prompter(prompter) {
    setWindowTitle(QStringLiteral("本地知识库设置"));
    m_baseList = new QTreeWidget(this);
    m_baseList->setRootIsDecorated(false);
    m_baseList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_baseList->setHeaderLabels(LocalBaseList::ColumnTitles());
    const QList<int> widths = LocalBaseList::ColumnWidths();
    for (int i = 0; i < widths.size(); ++i)
        m_baseList->setColumnWidth(i, widths.at(i));
    m_typeList = new QListWidget(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frameWith(this, QStringLiteral("本地知识库"), m_baseList, m_baseButtons));
    layout->addWidget(frameWith(this, QStringLiteral("描述文件类型"), m_typeList, m_typeButtons));

    connect(m_baseButtons[0], &QPushButton::clicked, this, &CLocalResourceSet::addBase);
    connect(m_baseButtons[1], &QPushButton::clicked, this, &CLocalResourceSet::modifyBase);
    connect(m_baseButtons[2], &QPushButton::clicked, this, &CLocalResourceSet::deleteBase);
    connect(m_typeButtons[0], &QPushButton::clicked, this, [this] { editType(true); });
    connect(m_typeButtons[1], &QPushButton::clicked, this, [this] { editType(false); });
    connect(m_typeButtons[2], &QPushButton::clicked, this, [this] {
        if (m_types.Delete()) {
            refreshTypes();
            Q_EMIT typesChanged();
        }
    });
    // The marks are the selected base's.
    connect(m_baseList, &QTreeWidget::currentItemChanged, this, [this] { refreshTypes(); });
    connect(m_typeList, &QListWidget::currentRowChanged, this, [this](int row) {
        m_types.select(row);
        refreshTypes();
    });
    connect(m_typeList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const bool changed = m_types.setChecked(m_typeList->row(item), selectedBaseId(),
                                                item->checkState() == Qt::Checked);
        // Without a selected base the mark springs back.
        refreshTypes();
        if (changed)
            Q_EMIT typesChanged();
    });
    refreshBases(-1);
}

int CLocalResourceSet::selectedBaseId() const {
    const int row = m_baseList->indexOfTopLevelItem(m_baseList->currentItem());
    return row < 0 ? -1 : m_bases.rowAt(row).ID;
}

void CLocalResourceSet::refreshBases(int selectRow) {
    {
        const QSignalBlocker blocker(m_baseList);
        m_baseList->clear();
        for (int row = 0; row < m_bases.rowCount(); ++row)
            m_baseList->addTopLevelItem(new QTreeWidgetItem(m_bases.rowTexts(row)));
        if (selectRow >= 0 && selectRow < m_baseList->topLevelItemCount())
            m_baseList->setCurrentItem(m_baseList->topLevelItem(selectRow));
    }
    refreshTypes();
}

void CLocalResourceSet::refreshTypes() {
    const int baseId = selectedBaseId();
    {
        const QSignalBlocker blocker(m_typeList);
        m_typeList->clear();
        for (int row = 0; row < m_types.count(); ++row) {
            auto* item = new QListWidgetItem(m_types.patternAt(row), m_typeList);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(m_types.isChecked(row, baseId) ? Qt::Checked : Qt::Unchecked);
        }
        m_typeList->setCurrentRow(m_types.selected());
    }
    const bool baseSelected = baseId != -1;
    m_baseButtons[1]->setEnabled(baseSelected);
    m_baseButtons[2]->setEnabled(baseSelected);
    m_typeButtons[1]->setEnabled(m_types.canModify());
    m_typeButtons[2]->setEnabled(m_types.canModify());
}

void CLocalResourceSet::addBase() {
    CBaseIniDlg dialog(
        {}, [this](const QString& path) { return m_bases.Add(path); }, this);
    if (dialog.exec() == QDialog::Accepted)
        refreshBases(m_bases.rowCount() - 1);
}

void CLocalResourceSet::modifyBase() {
    const int row = m_baseList->indexOfTopLevelItem(m_baseList->currentItem());
    if (row < 0)
        return;
    std::optional<BaseSwitch> change;
    CBaseIniDlg dialog(
        m_bases.rowAt(row).IniPath,
        [&](const QString& path) {
            change = m_bases.Modify(row, path);
            return change.has_value();
        },
        this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    refreshBases(row);
    Q_EMIT baseSwitched(*change);
}

void CLocalResourceSet::deleteBase() {
    const int row = m_baseList->indexOfTopLevelItem(m_baseList->currentItem());
    if (row < 0)
        return;
    const std::optional<LocalBaseList::Deletion> deletion = m_bases.Delete(row);
    if (!deletion)
        return;
    refreshBases(std::min(row, m_bases.rowCount() - 1));
    Q_EMIT baseDeleted(deletion->baseId, deletion->wasOpen);
}

void CLocalResourceSet::editType(bool adding) {
    const QString initial = adding ? QString() : m_types.patternAt(m_types.selected());
    const std::optional<QString> typed = m_prompter.askText(
        adding ? QStringLiteral("添加描述文件类型") : QStringLiteral("修改描述文件类型"), initial);
    if (!typed)
        return;
    if (adding ? m_types.Add(*typed) : m_types.Modify(*typed)) {
        refreshTypes();
        Q_EMIT typesChanged();
    }
}
