#include "CFileBrowserPane.h"

#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "materials/FilePasteJob.h"

#include <QAction>
#include <QActionGroup>
#include <QDesktopServices>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

using namespace CommandIds;

namespace {

constexpr int kTreeWidth = 185;

// The file system model names its columns in English; the pane speaks Chinese.
class FileListModel : public QFileSystemModel {
public:
    using QFileSystemModel::QFileSystemModel;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QFileSystemModel::headerData(section, orientation, role);
        switch (section) {
        case 0:
            return QStringLiteral("名称");
        case 1:
            return QStringLiteral("大小");
        case 2:
            return QStringLiteral("类型");
        case 3:
            return QStringLiteral("修改日期");
        default:
            return {};
        }
    }
};

int commandOf(CFileBrowserPane::ViewMode mode) {
    switch (mode) {
    case CFileBrowserPane::ViewMode::LargeIcons:
        return ViewLargeIcons;
    case CFileBrowserPane::ViewMode::SmallIcons:
        return ViewSmallIcons;
    case CFileBrowserPane::ViewMode::List:
        return ViewList;
    case CFileBrowserPane::ViewMode::Details:
        break;
    }
    return ViewDetails;
}

bool isIconMode(CFileBrowserPane::ViewMode mode) {
    return mode == CFileBrowserPane::ViewMode::LargeIcons ||
           mode == CFileBrowserPane::ViewMode::SmallIcons;
}

} // namespace

CFileBrowserPane::CFileBrowserPane(Prompter& prompter, CommandRegistry& commands, QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_commands(commands),
      m_folders(new QFileSystemModel(this)), m_tree(new QTreeView(this)),
      m_stack(new QStackedWidget(this)), m_list(new QListView(m_stack)),
      m_details(new QTreeView(m_stack)), m_viewMenu(new QMenu(this)) {
    setObjectName(QStringLiteral("CFileBrowserPane"));

    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QDir::rootPath());
    m_tree->setModel(m_folders);
    m_tree->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CFileBrowserPane::folderPicked);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(0);
    leftLayout->addWidget(new QLabel(QStringLiteral("Folder List"), left));
    leftLayout->addWidget(m_tree);

    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_list), static_cast<QAbstractItemView*>(m_details)}) {
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        // Activation is a double click or Enter, whichever the user prefers.
        connect(view, &QAbstractItemView::activated, this, &CFileBrowserPane::openEntry);
    }
    m_details->setRootIsDecorated(false);
    m_details->setItemsExpandable(false);
    m_details->setSortingEnabled(true);
    m_details->sortByColumn(0, Qt::AscendingOrder);
    m_stack->addWidget(m_list);
    m_stack->addWidget(m_details);
    setUpFileModel();

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(left);
    splitter->addWidget(m_stack);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kTreeWidth, qMax(kTreeWidth, width() - kTreeWidth)});
    left->resize(kTreeWidth, left->height());

    auto* bar = new QToolBar(this);
    bar->setIconSize(QSize(16, 16));
    defineCommands();
    bar->addAction(m_commands.action(FolderUp));
    bar->addAction(m_commands.action(RefreshFolder));
    bar->addSeparator();
    bar->addAction(m_commands.action(PasteFiles));
    bar->addAction(m_commands.action(StopPaste));
    bar->addSeparator();
    bar->addAction(m_commands.action(OpenFolderInFileManager));
    bar->addSeparator();
    bar->addAction(m_commands.action(NextFileView));
    if (auto* button =
            qobject_cast<QToolButton*>(bar->widgetForAction(m_commands.action(NextFileView)))) {
        button->setMenu(m_viewMenu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(splitter, 1);
    setViewMode(ViewMode::List);
}

CFileBrowserPane::~CFileBrowserPane() {
    // Before the widgets go: a paste waiting for an answer must not come
    // back into a pane half taken apart.
    const QList<FilePasteJob*> jobs = m_pastes.keys();
    m_pastes.clear();
    qDeleteAll(jobs);
}

void CFileBrowserPane::defineCommands() {
    const auto local = Qt::WidgetWithChildrenShortcut;
    QStyle* look = style();
    const auto define = [&](int id, const QString& text, QStyle::StandardPixmap icon,
                            const QKeySequence& key = {}) {
        QAction* action = m_commands.define(id, text, key, local);
        if (action->icon().isNull() && icon != QStyle::SP_CustomBase)
            action->setIcon(look->standardIcon(icon));
        addAction(action);
        return action;
    };
    define(FolderUp, QStringLiteral("向上"), QStyle::SP_FileDialogToParent,
           QKeySequence(Qt::Key_Backspace));
    define(RefreshFolder, QStringLiteral("刷新"), QStyle::SP_BrowserReload);
    define(PasteFiles, QStringLiteral("粘贴知识库文件"), QStyle::SP_DialogSaveButton,
           QKeySequence(Qt::CTRL | Qt::Key_V));
    define(StopPaste, QStringLiteral("停止粘贴"), QStyle::SP_BrowserStop);
    define(OpenFolderInFileManager, QStringLiteral("以新文件夹打开"), QStyle::SP_DirOpenIcon);
    define(NextFileView, QStringLiteral("查看"), QStyle::SP_FileDialogListView);

    m_commands.setHandler(
        FolderUp,
        [this] {
            QDir parent(selectedFolder());
            if (parent.cdUp())
                ShowFolder(parent.absolutePath());
        },
        [this] {
            const QString folder = selectedFolder();
            return !folder.isEmpty() && !QDir(folder).isRoot();
        });
    m_commands.setHandler(
        RefreshFolder,
        [this] {
            // The watcher misses changes on some file systems (network
            // mounts), so the list is read again from the disk.
            setUpFileModel();
            ShowFolder(m_current);
        },
        [this] { return !m_current.isEmpty(); });
    m_commands.setHandler(
        PasteFiles, [this] { pasteFromClipboard(); }, [this] { return !pasteTarget().isEmpty(); });
    m_commands.setHandler(
        StopPaste, [this] { stopPaste(); }, [this] { return isPasting(); });
    m_commands.setHandler(
        OpenFolderInFileManager,
        [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(pasteTarget())); },
        [this] { return !pasteTarget().isEmpty(); });
    m_commands.setHandler(NextFileView, [this] {
        setViewMode(static_cast<ViewMode>((static_cast<int>(m_mode) + 1) % 4));
    });

    auto* modes = new QActionGroup(this);
    const struct {
        ViewMode mode;
        const char16_t* text;
    } menu[] = {{ViewMode::LargeIcons, u"平铺(&S)"},
                {ViewMode::SmallIcons, u"图表(&N)"},
                {ViewMode::List, u"列表(&L)"},
                {ViewMode::Details, u"详细信息(&D)"}};
    for (const auto& entry : menu) {
        QAction* action = m_commands.define(commandOf(entry.mode), QString::fromUtf16(entry.text));
        action->setCheckable(true);
        modes->addAction(action);
        m_viewMenu->addAction(action);
        const ViewMode mode = entry.mode;
        m_commands.setHandler(commandOf(mode), [this, mode] { setViewMode(mode); });
    }
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(m_commands.define(ArrangeIcons, QStringLiteral("排列图标")));
    m_commands.setHandler(
        ArrangeIcons, [this] { arrangeIcons(); }, [this] { return isIconMode(m_mode); });
}

void CFileBrowserPane::setUpFileModel() {
    auto* model = new FileListModel(this);
    model->setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::AllDirs);
    // Moving files by dragging them inside the pane is not offered: a slip of
    // the mouse would move a material's file out of its folder.
    model->setReadOnly(true);
    m_list->setModel(model);
    m_details->setModel(model);
    delete m_files;
    m_files = model;
}

void CFileBrowserPane::ShowFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return;
    m_current = QDir::cleanPath(info.absoluteFilePath());
    const QModelIndex inTree = m_folders->index(m_current);
    if (m_tree->currentIndex() != inTree) {
        m_tree->setCurrentIndex(inTree);
        m_tree->scrollTo(inTree);
    }
    showInList(m_current);
    m_commands.updateEnabled();
    Q_EMIT folderShown(m_current);
}

void CFileBrowserPane::showInList(const QString& folder) {
    const QModelIndex root = m_files->setRootPath(folder);
    m_list->setRootIndex(root);
    m_details->setRootIndex(root);
}

void CFileBrowserPane::folderPicked(const QModelIndex& index) {
    const QString folder = m_folders->filePath(index);
    if (index.isValid() && folder != m_current)
        ShowFolder(folder);
}

void CFileBrowserPane::openEntry(const QModelIndex& index) {
    const QString path = m_files->filePath(index);
    if (m_files->isDir(index))
        ShowFolder(path);
    else if (!path.isEmpty())
        Q_EMIT openFileRequested(path);
}

QString CFileBrowserPane::selectedFolder() const {
    const QModelIndex index = m_tree->currentIndex();
    return index.isValid() ? m_folders->filePath(index) : QString();
}

QString CFileBrowserPane::pasteTarget() const {
    const QString selected = selectedFolder();
    return selected.isEmpty() ? m_current : selected;
}

void CFileBrowserPane::setViewMode(ViewMode mode) {
    m_mode = mode;
    if (mode == ViewMode::Details) {
        m_stack->setCurrentWidget(m_details);
    } else {
        const bool icons = isIconMode(mode);
        m_list->setViewMode(mode == ViewMode::LargeIcons ? QListView::IconMode
                                                         : QListView::ListMode);
        // Small icons run in rows across, the list in columns down, as a
        // file manager shows them.
        m_list->setFlow(mode == ViewMode::List ? QListView::TopToBottom : QListView::LeftToRight);
        m_list->setWrapping(true);
        m_list->setResizeMode(QListView::Adjust);
        m_list->setIconSize(mode == ViewMode::LargeIcons ? QSize(32, 32) : QSize(16, 16));
        m_list->setMovement(icons ? QListView::Snap : QListView::Static);
        m_list->setGridSize(mode == ViewMode::LargeIcons ? QSize(96, 64) : QSize());
        m_stack->setCurrentWidget(m_list);
    }
    if (QAction* action = m_commands.action(commandOf(mode)))
        action->setChecked(true);
    m_commands.updateEnabled();
}

void CFileBrowserPane::arrangeIcons() {
    // Icons the user dragged about go back into the order of their names.
    const QModelIndex root = m_list->rootIndex();
    m_list->reset();
    m_list->setRootIndex(root);
}
