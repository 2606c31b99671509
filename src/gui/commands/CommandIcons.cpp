#include "CommandIcons.h"

#include "CommandIds.h"
#include "CommandRegistry.h"

#include <QAction>
#include <QIcon>

namespace {

struct ThemeIcon {
    int id;
    const char* name;
};

// Names of the freedesktop icon naming scheme, as the Breeze theme has them.
const ThemeIcon kIcons[] = {
    {CommandIds::Save, "document-save"},
    {CommandIds::SaveAll, "document-save-all"},
    {CommandIds::Print, "document-print"},
    {CommandIds::PrintPreview, "document-print-preview"},
    {CommandIds::Exit, "application-exit"},
    {CommandIds::FindWord, "edit-find"},
    {CommandIds::GoToLine, "go-jump"},
    {CommandIds::KbSearch, "system-search"},
    {CommandIds::StopKbSearch, "process-stop"},
    {CommandIds::AddRootItem, "folder-new"},
    {CommandIds::AddChildItem, "list-add"},
    {CommandIds::DeleteItem, "edit-delete"},
    {CommandIds::RenameItem, "edit-rename"},
    {CommandIds::CutItem, "edit-cut"},
    {CommandIds::PasteItem, "edit-paste"},
    {CommandIds::MoveItemUp, "go-up"},
    {CommandIds::MoveItemDown, "go-down"},
    {CommandIds::NewMaterial, "document-new"},
    {CommandIds::OpenMaterial, "document-open"},
    {CommandIds::DeleteMaterial, "edit-delete"},
    {CommandIds::CutMaterial, "edit-cut"},
    {CommandIds::DockMaterial, "bookmark-new"},
    {CommandIds::CloseActive, "window-close"},
    {CommandIds::CloseAllPages, "tab-close-other"},
    {CommandIds::FullScreen, "view-fullscreen"},
    {CommandIds::AutoHideAllPanes, "view-restore"},
    {CommandIds::MoreWindows, "window"},
    {CommandIds::Customize, "configure-toolbars"},
    {CommandIds::SystemSettings, "configure"},
    {CommandIds::Help, "help-contents"},
    {CommandIds::WebBack, "go-previous"},
    {CommandIds::WebForward, "go-next"},
    {CommandIds::WebStop, "process-stop"},
    {CommandIds::WebRefresh, "view-refresh"},
    {CommandIds::WebHome, "go-home"},
    {CommandIds::NewWebPage, "tab-new"},
    {CommandIds::AutoSavePage, "document-save"},
    {CommandIds::SavePageIntoBase, "document-import"},
    {CommandIds::SavePageAs, "document-save-as"},
    {CommandIds::GoToAddress, "go-jump-locationbar"},
    {CommandIds::FirstMaterialPage, "go-first"},
    {CommandIds::PreviousMaterialPage, "go-previous"},
    {CommandIds::NextMaterialPage, "go-next"},
    {CommandIds::RefreshMaterialPages, "view-refresh"},
    {CommandIds::ClassicLayout1, "view-split-left-right"},
    {CommandIds::ClassicLayout1 + 1, "view-grid"},
    {CommandIds::ClassicLayout1 + 2, "view-split-top-bottom"},
    {CommandIds::ClassicLayout1 + 3, "view-split-effect"},
    {CommandIds::ClassicLayout5, "internet-web-browser"},
    {CommandIds::TaskPanel, "view-list-details"},
    {CommandIds::PaintTheme2002, "format-fill-color"},
    {CommandIds::PaintTheme2005, "color-management"},
    {CommandIds::PaneKnowledgeBase, "view-list-tree"},
    {CommandIds::PaneMaterials, "view-media-playlist"},
    {CommandIds::PaneRecycleBin, "user-trash"},
    {CommandIds::PaneNavigation, "internet-web-browser"},
    {CommandIds::PaneFileBrowser, "folder-open"},
    {CommandIds::PaneProperties, "document-properties"},
};

} // namespace

namespace CommandIcons {

void useProgramTheme() {
    QIcon::setThemeName(QStringLiteral("breeze"));
}

void install(CommandRegistry& commands) {
    for (const ThemeIcon& icon : kIcons) {
        QAction* action = commands.action(icon.id);
        const QString name = QString::fromLatin1(icon.name);
        if (action && QIcon::hasThemeIcon(name))
            action->setIcon(QIcon::fromTheme(name));
    }
}

} // namespace CommandIcons
