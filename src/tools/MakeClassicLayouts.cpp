// keepsake-make-layouts OUTDIR
//
// Makes the five classic layouts shipped as ResourceConfig/ClassicType1.xml
// to ClassicType5.xml. The panes' saved state is Qt's own opaque form, so the
// files are made by arranging a real main window and saving it, as the user
// would. Run it again whenever a pane or toolbar is added or renamed, and
// ship what it writes.

#include "ToolPrompter.h"
#include "app/CMainFrame.h"
#include "commands/CommandIds.h"
#include "config/LayoutFile.h"
#include "config/Profile.h"
#include "config/ProgramPaths.h"
#include "panes/CTaskPanel.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <cstdio>
#include <functional>

namespace {

using namespace CommandIds;

struct Arranger {
    CMainFrame& frame;

    QDockWidget* pane(int id) const { return frame.pane(id); }
    QDockWidget* taskPanel() const {
        return frame.findChild<QDockWidget*>(QStringLiteral("taskPanel"));
    }
    void closeAll() const {
        for (QDockWidget* dock : frame.findChildren<QDockWidget*>())
            dock->close();
    }
    void put(Qt::DockWidgetArea area, std::initializer_list<QDockWidget*> tabs) const {
        QDockWidget* first = nullptr;
        for (QDockWidget* dock : tabs) {
            frame.removeDockWidget(dock);
            if (!first)
                frame.addDockWidget(area, dock);
            else
                frame.tabifyDockWidget(first, dock);
            dock->show();
            first = first ? first : dock;
        }
        first->raise();
    }
    void bars(std::initializer_list<const char*> shown) const {
        for (QToolBar* bar : frame.findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
            bool show = false;
            for (const char* name : shown)
                show = show || bar->objectName() == QString::fromUtf8(name);
            bar->setVisible(show);
        }
    }
};

// Each a different way of working: the few panes a beginner needs, three
// arrangements of all of them, and one for reading the web.
const std::function<void(const Arranger&)> kLayouts[5] = {
    [](const Arranger& a) {
        a.closeAll();
        a.put(Qt::LeftDockWidgetArea, {a.pane(PaneKnowledgeBase)});
        a.put(Qt::BottomDockWidgetArea, {a.pane(PaneMaterials), a.pane(PaneSearchResults)});
        a.bars({"标准工具条", "搜索工具条"});
        a.frame.resizeDocks({a.pane(PaneKnowledgeBase)}, {300}, Qt::Horizontal);
        a.frame.resizeDocks({a.pane(PaneMaterials)}, {260}, Qt::Vertical);
    },
    [](const Arranger& a) {
        a.put(Qt::LeftDockWidgetArea,
              {a.pane(PaneKnowledgeBase), a.taskPanel(), a.pane(PaneDockStation)});
        a.frame.splitDockWidget(a.pane(PaneKnowledgeBase), a.pane(PaneOpenMaterials), Qt::Vertical);
        a.put(Qt::RightDockWidgetArea, {a.pane(PaneProperties)});
        a.frame.splitDockWidget(a.pane(PaneProperties), a.pane(PaneFileBrowser), Qt::Vertical);
        a.put(Qt::BottomDockWidgetArea,
              {a.pane(PaneMaterials), a.pane(PaneSearchResults), a.pane(PaneRecycleBin)});
        a.frame.tabifyDockWidget(a.pane(PaneOpenMaterials), a.pane(PaneNavigation));
        a.pane(PaneOpenMaterials)->raise();
        a.frame.resizeDocks({a.pane(PaneKnowledgeBase), a.pane(PaneProperties)}, {320, 280},
                            Qt::Horizontal);
        a.bars({"标准工具条", "搜索工具条", "窗口工具条", "WEB浏览工具条", "网页浏览", "主题工具条",
                "网页预览工具条"});
    },
    [](const Arranger& a) {
        a.put(Qt::LeftDockWidgetArea,
              {a.pane(PaneKnowledgeBase), a.pane(PaneDockStation), a.pane(PaneOpenMaterials)});
        a.put(Qt::RightDockWidgetArea, {a.pane(PaneMaterials)});
        a.frame.splitDockWidget(a.pane(PaneMaterials), a.pane(PaneProperties), Qt::Vertical);
        a.put(Qt::BottomDockWidgetArea, {a.pane(PaneSearchResults), a.pane(PaneRecycleBin),
                                         a.pane(PaneFileBrowser), a.pane(PaneNavigation)});
        a.taskPanel()->close();
        a.bars({"标准工具条", "搜索工具条", "窗口工具条", "WEB浏览工具条", "网页浏览"});
        a.frame.resizeDocks({a.pane(PaneKnowledgeBase), a.pane(PaneMaterials)}, {280, 420},
                            Qt::Horizontal);
    },
    [](const Arranger& a) {
        a.put(Qt::RightDockWidgetArea, {a.pane(PaneKnowledgeBase), a.pane(PaneNavigation)});
        a.frame.splitDockWidget(a.pane(PaneKnowledgeBase), a.pane(PaneProperties), Qt::Vertical);
        a.put(Qt::LeftDockWidgetArea, {a.taskPanel(), a.pane(PaneDockStation),
                                       a.pane(PaneOpenMaterials), a.pane(PaneFileBrowser)});
        a.put(Qt::BottomDockWidgetArea,
              {a.pane(PaneMaterials), a.pane(PaneSearchResults), a.pane(PaneRecycleBin)});
        a.bars({"标准工具条", "搜索工具条", "窗口工具条", "主题工具条"});
        a.frame.resizeDocks({a.pane(PaneKnowledgeBase), a.taskPanel()}, {320, 220}, Qt::Horizontal);
    },
    [](const Arranger& a) {
        a.closeAll();
        a.put(Qt::LeftDockWidgetArea, {a.pane(PaneNavigation)});
        a.frame.splitDockWidget(a.pane(PaneNavigation), a.pane(PaneOpenMaterials), Qt::Vertical);
        a.pane(PaneOpenMaterials)->show();
        a.bars({"标准工具条", "WEB浏览工具条", "网页浏览"});
        a.frame.resizeDocks({a.pane(PaneNavigation)}, {240}, Qt::Horizontal);
    },
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: keepsake-make-layouts OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    for (int n = 1; n <= 5; ++n) {
        // A home of its own for each, so nothing of the last one carries over.
        QTemporaryDir home;
        ToolPrompter prompter;
        Profile profile(home.filePath(QStringLiteral("profile.conf")));
        CMainFrame frame(ProgramPaths(home.path() + QLatin1Char('/'),
                                      QCoreApplication::applicationDirPath() + QLatin1Char('/')),
                         prompter, profile);
        if (!frame.OnCreate([] { return false; }))
            return 1;
        frame.resize(1280, 800);
        frame.show();
        kLayouts[n - 1](Arranger{frame});
        QApplication::processEvents();
        const LayoutFile::Contents contents{CTaskPanel::builtInGroups(), frame.SaveLayout(),
                                            WindowLayout{}};
        const QString path = out + QStringLiteral("/ClassicType%1.xml").arg(n);
        if (!LayoutFile::write(path, contents)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        frame.hide();
    }
    return 0;
}
