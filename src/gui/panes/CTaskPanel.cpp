#include "CTaskPanel.h"

#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

CTaskPanel::CTaskPanel(CommandRegistry& commands, QWidget* parent)
    : QWidget(parent), m_commands(commands), m_layout(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("taskPanelContent"));
    m_layout->setContentsMargins(8, 8, 8, 8);
    m_layout->setSpacing(2);
}

QList<TaskGroup> CTaskPanel::builtInGroups() {
    using namespace CommandIds;
    return {
        {QStringLiteral("知识库"), {AddRootItem, NewMaterial, KbSearch}},
        {QStringLiteral("网页"), {NewWebPage, AutoSavePage}},
        {QStringLiteral("窗口"),
         {FullScreen, ClassicLayout1, ClassicLayout1 + 1, ClassicLayout1 + 2, ClassicLayout1 + 3,
          ClassicLayout5}},
    };
}

void CTaskPanel::setGroups(const QList<TaskGroup>& groups) {
    m_groups = groups;
    while (QLayoutItem* item = m_layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const TaskGroup& group : groups) {
        auto* title = new QLabel(group.title, this);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        m_layout->addWidget(title);
        auto* rule = new QFrame(this);
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Sunken);
        m_layout->addWidget(rule);
        for (int id : group.commands) {
            QAction* action = m_commands.action(id);
            if (!action)
                continue; // a command this version no longer has
            auto* link = new QToolButton(this);
            link->setDefaultAction(action);
            link->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            link->setAutoRaise(true);
            link->setCursor(Qt::PointingHandCursor);
            link->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            m_layout->addWidget(link);
        }
        m_layout->addSpacing(10);
    }
    m_layout->addStretch(1);
}
