// The commands of the navigation pane's web addresses and its edit dialog.

#include "CUrlGroupPane.h"

#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "web/UrlGroups.h"

#include <QAction>
#include <QComboBox>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>

using namespace CommandIds;

void CUrlGroupPane::defineCommands() {
    const auto local = Qt::WidgetWithChildrenShortcut;
    QAction* openAction = m_commands.define(OpenUrl, QStringLiteral("打开              Enter"),
                                            QKeySequence(Qt::Key_Return), local);
    openAction->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    // The menu's "新建" first empties what a saved page left to prefill;
    // the Insert key keeps it, so it is an action of its own.
    QAction* newUrlAction = m_commands.define(NewUrl, QStringLiteral("新建              Insert"));
    auto* insert = new QAction(this);
    insert->setShortcut(QKeySequence(Qt::Key_Insert));
    insert->setShortcutContext(local);
    connect(insert, &QAction::triggered, this, &CUrlGroupPane::openNewDialog);
    QAction* cutAction = m_commands.define(CutUrl, QStringLiteral("剪切              Ctrl+X"),
                                           QKeySequence(Qt::CTRL | Qt::Key_X), local);
    QAction* pasteAction = m_commands.define(PasteUrl, QStringLiteral("粘贴              Ctrl+V"),
                                             QKeySequence(Qt::CTRL | Qt::Key_V), local);
    QAction* removeAction = m_commands.define(DeleteUrl, QStringLiteral("删除              Delete"),
                                              QKeySequence(Qt::Key_Delete), local);
    QAction* modifyAction = m_commands.define(ModifyUrl, QStringLiteral("修改"));
    QAction* newGroupAction = m_commands.define(NewUrlGroup, QStringLiteral("新建网址群"));
    QAction* deleteGroupAction =
        m_commands.define(DeleteUrlGroup, QStringLiteral("删除当前网址群"));
    QAction* renameGroupAction =
        m_commands.define(RenameUrlGroup, QStringLiteral("修改当前网址群"));
    m_list->addActions({openAction, insert, cutAction, pasteAction, removeAction});

    const struct {
        QAction* action;
        QStyle::StandardPixmap icon;
    } icons[] = {
        {openAction, QStyle::SP_DialogOpenButton},
        {newUrlAction, QStyle::SP_FileIcon},
        {cutAction, QStyle::SP_DialogDiscardButton},
        {pasteAction, QStyle::SP_DialogApplyButton},
        {removeAction, QStyle::SP_TrashIcon},
        {modifyAction, QStyle::SP_FileDialogDetailedView},
        {newGroupAction, QStyle::SP_FileDialogNewFolder},
        {deleteGroupAction, QStyle::SP_DialogCloseButton},
        {renameGroupAction, QStyle::SP_FileDialogContentsView},
    };
    for (const auto& icon : icons) {
        icon.action->setIcon(style()->standardIcon(icon.icon));
        m_toolBar->addAction(icon.action);
        if (icon.action == newUrlAction || icon.action == modifyAction)
            m_toolBar->addSeparator();
    }

    const auto one = [this] { return m_oneSelected; };
    const auto group = [this] { return m_realGroupShown; };
    m_commands.setHandler(
        OpenUrl, [this] { Q_EMIT openRequested(selectedEntry().Address); }, one);
    m_commands.setHandler(NewUrl, [this] {
        m_prefillTitle.clear();
        m_prefillAddress.clear();
        openNewDialog();
    });
    m_commands.setHandler(
        CutUrl, [this] { cutSelected(); }, one);
    m_commands.setHandler(
        PasteUrl, [this] { paste(); }, [this] { return m_pastePossible; });
    m_commands.setHandler(
        DeleteUrl, [this] { deleteSelected(); }, one);
    m_commands.setHandler(
        ModifyUrl, [this] { openModifyDialog(); }, one);
    m_commands.setHandler(NewUrlGroup, [this] { addGroup(); });
    m_commands.setHandler(
        DeleteUrlGroup, [this] { deleteGroup(); }, group);
    m_commands.setHandler(
        RenameUrlGroup, [this] { renameGroup(); }, group);
}

void CUrlGroupPane::savePage(const QString& title, const QString& address) {
    m_prefillTitle = title;
    m_prefillAddress = address;
    openNewDialog();
}

void CUrlGroupPane::openNewDialog() {
    if (m_dialog && m_dialog->mode() == CUrlEditDlg::Mode::New)
        return;
    cancelDialog();
    openDialog(CUrlEditDlg::Mode::New, 25, m_prefillTitle, m_prefillAddress);
}

void CUrlGroupPane::openModifyDialog() {
    if (m_dialog && m_dialog->mode() == CUrlEditDlg::Mode::Modify)
        return;
    cancelDialog();
    m_urls.dropCut();
    m_modifyingId = selectedEntry().ID;
    openDialog(CUrlEditDlg::Mode::Modify, 120, m_clickedTitle, m_clickedAddress);
}

void CUrlGroupPane::openDialog(CUrlEditDlg::Mode mode, int dx, const QString& title,
                               const QString& address) {
    m_dialog = new CUrlEditDlg(mode, this);
    QPoint at = mapToGlobal(QPoint(0, 0)) + QPoint(dx, 45);
    if (at.x() < 0)
        at.setX(25);
    m_dialog->move(at);
    connect(m_dialog, &CUrlEditDlg::okRequested, this, &CUrlGroupPane::acceptDialog);
    // Cancel, Escape or a close by the desktop.
    connect(m_dialog, &QDialog::finished, this, [this, dialog = m_dialog.data()] {
        if (m_dialog == dialog)
            m_dialog = nullptr;
    });
    m_dialog->show();
    m_dialog->setFields(title, address);
}

void CUrlGroupPane::cancelDialog() {
    // Closed now, deleted later: from here on no dialog is open.
    CUrlEditDlg* openAction = m_dialog;
    m_dialog = nullptr;
    if (openAction)
        openAction->close();
}

void CUrlGroupPane::acceptDialog(const QString& title, const QString& address) {
    const bool adding = m_dialog->mode() == CUrlEditDlg::Mode::New;
    const QString id = m_modifyingId;
    const UrlGroups::EditResult result = adding ? m_urls.addEntry(m_currentGroup, title, address)
                                                : m_urls.modifyEntry(id, title, address);
    if (result == UrlGroups::EditResult::Incomplete)
        return;
    cancelDialog();
    if (result == UrlGroups::EditResult::Saved)
        listEntries(adding ? QString() : id);
}

void CUrlGroupPane::deleteSelected() {
    if (m_urls.deleteEntry(selectedEntry().ID))
        listEntries();
}

void CUrlGroupPane::cutSelected() {
    m_urls.cut(selectedEntry());
    m_pastePossible = false;
    m_commands.updateEnabled();
}

void CUrlGroupPane::paste() {
    if (m_urls.paste(m_currentGroup)) {
        m_pastePossible = false;
        listEntries();
    }
}

void CUrlGroupPane::addGroup() {
    if (m_urls.addGroup())
        fillGroupBox(m_groupBox->currentText());
}

void CUrlGroupPane::deleteGroup() {
    if (!m_urls.deleteGroup(m_currentGroup))
        return;
    m_currentGroup = UrlGroups::kAllUrls;
    fillGroupBox(m_currentGroup);
    listEntries();
}

void CUrlGroupPane::renameGroup() {
    const std::optional<QString> renamed = m_urls.renameGroup(m_currentGroup);
    if (!renamed)
        return;
    m_currentGroup = *renamed;
    fillGroupBox(m_currentGroup);
    listEntries();
}
