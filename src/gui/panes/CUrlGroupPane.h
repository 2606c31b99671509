#pragma once

#include "dialogs/CUrlEditDlg.h"

#include <QPointer>
#include <QWidget>

class CommandRegistry;
class QComboBox;
class QTreeWidget;
class QToolBar;
class UrlGroups;
struct UrlRecord;

// The navigation pane's list of kept web addresses: a drop-down of groups,
// the entries of the group chosen, and the commands that open, add, change,
// move and delete them and the groups. Every rule about the data is
// UrlGroups'; the pane keeps what the user is doing (the group shown, the
// row last clicked, the edit dialog) and shows what the file holds after
// each change.
class CUrlGroupPane : public QWidget {
    Q_OBJECT
public:
    enum Column { IconColumn, TitleColumn, AddressColumn, TimeColumn, IdColumn, GroupIdColumn };

    CUrlGroupPane(UrlGroups& urls, CommandRegistry& commands, QWidget* parent = nullptr);

    // The drop-down and the list as at start-up: every entry, nothing chosen.
    void fill();
    // "收藏网页进当前网址组": the edit dialog for a new entry, filled with
    // the page's title and address.
    void savePage(const QString& title, const QString& address);

    QComboBox* groupBox() const { return m_groupBox; }
    QTreeWidget* list() const { return m_list; }
    QToolBar* toolBar() const { return m_toolBar; }
    CUrlEditDlg* editDialog() const { return m_dialog; }
    const QString& currentGroup() const { return m_currentGroup; }

Q_SIGNALS:
    void openRequested(const QString& address);

private:
    void defineCommands();
    void fillGroupBox(const QString& selected);
    void listEntries(const QString& selectId = {});
    void chooseGroup(const QString& name);
    // After a click: which commands the selection allows. A right click
    // also allows paste with a special group shown.
    void followClick(bool rightClick);
    void followSelection();
    void showContextMenu(const QPoint& pos);
    bool oneSelected() const;
    UrlRecord selectedEntry() const;

    void openNewDialog();
    void openModifyDialog();
    void openDialog(CUrlEditDlg::Mode mode, int dx, const QString& title, const QString& address);
    void cancelDialog();
    void acceptDialog(const QString& title, const QString& address);
    void deleteSelected();
    void cutSelected();
    void paste();
    void addGroup();
    void deleteGroup();
    void renameGroup();

    bool eventFilter(QObject* watched, QEvent* event) override;

    UrlGroups& m_urls;
    CommandRegistry& m_commands;
    QComboBox* m_groupBox;
    QToolBar* m_toolBar;
    QTreeWidget* m_list;
    QPointer<CUrlEditDlg> m_dialog;

    QString m_currentGroup;
    QString m_prefillTitle, m_prefillAddress;
    QString m_clickedTitle, m_clickedAddress;
    QString m_modifyingId;
    bool m_oneSelected = false;
    bool m_pastePossible = false;
    bool m_realGroupShown = false;
};
