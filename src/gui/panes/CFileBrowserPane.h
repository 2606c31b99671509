#pragma once

#include <QHash>
#include <QPair>
#include <QString>
#include <QWidget>

class CommandRegistry;
class FilePasteJob;
class Prompter;
class QFileSystemModel;
class QListView;
class QMenu;
class QModelIndex;
class QStackedWidget;
class QTreeView;
struct FilePasteResult;

// The file browser pane: the folders on disk beside the files of one of them,
// above all the folder of the material the user works with, so the user sees
// the files a material keeps and adds more by pasting files copied in the
// desktop's file manager.
class CFileBrowserPane : public QWidget {
    Q_OBJECT
public:
    enum class ViewMode { LargeIcons, SmallIcons, List, Details };

    CFileBrowserPane(Prompter& prompter, CommandRegistry& commands, QWidget* parent = nullptr);
    // Stops the pastes still running and waits for them.
    ~CFileBrowserPane() override;

    // Selects the folder in the tree and lists its content. A folder that
    // does not exist (a material's folder deleted outside the program)
    // leaves the pane where it was.
    void ShowFolder(const QString& folder);
    QString shownFolder() const { return m_current; }

    ViewMode viewMode() const { return m_mode; }
    void setViewMode(ViewMode mode);

    bool isPasting() const { return !m_pastes.isEmpty(); }
    // Stops every paste; the files already copied stay, the one being copied
    // is removed.
    void stopPaste();

    QTreeView* folderTree() const { return m_tree; }
    QListView* fileList() const { return m_list; }
    QTreeView* detailsView() const { return m_details; }
    QMenu* viewMenu() const { return m_viewMenu; }

Q_SIGNALS:
    void folderShown(const QString& folder);
    void openFileRequested(const QString& path);
    // Over all pastes running, 0 to 100.
    void pasteProgressed(int percent);
    void pasteFinished(const QString& summary);

private:
    void defineCommands();
    void setUpFileModel();
    void showInList(const QString& folder);
    void openEntry(const QModelIndex& index);
    void folderPicked(const QModelIndex& index);
    QString selectedFolder() const;
    QString pasteTarget() const;
    void arrangeIcons();
    void pasteFromClipboard();
    void pasteProgress(FilePasteJob* job, qint64 done, qint64 total);
    void pasteEnded(FilePasteJob* job, const FilePasteResult& result);

    Prompter& m_prompter;
    CommandRegistry& m_commands;
    QFileSystemModel* m_folders;
    QFileSystemModel* m_files = nullptr;
    QTreeView* m_tree;
    QStackedWidget* m_stack;
    QListView* m_list;
    QTreeView* m_details;
    QMenu* m_viewMenu;
    QString m_current;
    ViewMode m_mode = ViewMode::List;
    // Each paste with its bytes done and in all, for one bar over them all.
    QHash<FilePasteJob*, QPair<qint64, qint64>> m_pastes;
    int m_pastePercent = -1;
};
