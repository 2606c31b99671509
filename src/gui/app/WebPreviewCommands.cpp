#include "WebPreviewCommands.h"

#include "MaterialWindows.h"
#include "Prompter.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "documents/CHtmlViewsView.h"
#include "materials/MaterialOpening.h"
#include "web/CHtmlViewsDoc.h"
#include "web/MaterialPages.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolBar>

namespace {

const QString kEmpty = QStringLiteral("Empty");

} // namespace

WebPreviewCommands::WebPreviewCommands(CommandRegistry& commands, MaterialWindows& windows,
                                       Prompter& prompter, CurrentMaterial current,
                                       OpenMaterial open, QWidget* window)
    : QObject(window), m_commands(commands), m_windows(windows), m_prompter(prompter),
      m_current(std::move(current)), m_open(std::move(open)), m_pageBox(new QComboBox(window)) {
    m_pageBox->setObjectName(QStringLiteral("materialPages38800"));
    m_pageBox->setMinimumContentsLength(16);
    m_pageBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    defineCommands();
    connect(&m_windows, &MaterialWindows::pagesShown, this, &WebPreviewCommands::fillPageBox);
    connect(m_pageBox, &QComboBox::activated, this, [this](int index) {
        if (CHtmlViewsView* view = m_windows.pagesWindow())
            showStep(view->document().choosePage(m_pageBox->itemText(index)));
    });
}

void WebPreviewCommands::defineCommands() {
    using namespace CommandIds;
    m_commands.define(SwitchToWebPreview, QStringLiteral("切换到网页预览       "));
    m_commands.setHandler(
        SwitchToWebPreview, [this] { switchToWebPreview(); },
        [this] { return m_windows.webPreviewAvailable(); });
    m_commands.define(SwitchToNormalPreview, QStringLiteral("切换到非网页预览       "));
    m_commands.setHandler(
        SwitchToNormalPreview,
        [this] {
            const std::optional<MaterialRecord> material = m_current();
            if (material && !material->MinuItemName.isEmpty())
                m_open(*material);
            m_commands.updateEnabled();
        },
        [this] { return m_windows.webPreviewShown(); });

    const auto document = [this]() -> CHtmlViewsDoc* {
        CHtmlViewsView* view = m_windows.pagesWindow();
        return view ? &view->document() : nullptr;
    };
    const auto step = [this, document](int id, const QString& text,
                                       std::optional<QString> (CHtmlViewsDoc::*move)(),
                                       bool (CHtmlViewsDoc::*enabled)() const) {
        m_commands.define(id, text);
        m_commands.setHandler(
            id,
            [this, document, move] {
                if (CHtmlViewsDoc* doc = document())
                    showStep((doc->*move)());
            },
            [document, enabled] {
                const CHtmlViewsDoc* doc = document();
                return doc && (doc->*enabled)();
            });
    };
    step(FirstMaterialPage, QStringLiteral("首资料网页"), &CHtmlViewsDoc::firstPage,
         &CHtmlViewsDoc::hasPages);
    step(PreviousMaterialPage, QStringLiteral("上一页"), &CHtmlViewsDoc::previousPage,
         &CHtmlViewsDoc::hasPrevious);
    step(NextMaterialPage, QStringLiteral("下一页"), &CHtmlViewsDoc::nextPage,
         &CHtmlViewsDoc::hasNext);
    m_commands.define(RefreshMaterialPages, QStringLiteral("刷新网页知识库描述"));
    m_commands.setHandler(
        RefreshMaterialPages,
        [this, document] {
            if (CHtmlViewsDoc* doc = document()) {
                doc->refreshPages();
                fillPageBox();
            }
        },
        [document] {
            const CHtmlViewsDoc* doc = document();
            return doc && doc->hasPages();
        });
}

void WebPreviewCommands::switchToWebPreview() {
    const std::optional<MaterialRecord> material = m_windows.activeNonWebMaterial();
    if (!material) {
        m_windows.setWebPreview(false, false);
        m_commands.updateEnabled();
        return;
    }
    m_windows.setWebPreview(true, false);
    m_commands.updateEnabled();
    const QString folder = MaterialOpening::TargetOf(*material).folder;
    if (folder.isEmpty() || !QDir(folder).exists()) {
        m_prompter.error(QStringLiteral("路径%1不存在").arg(QDir::toNativeSeparators(folder)));
        m_windows.setWebPreview(false, false);
        m_commands.updateEnabled();
        return;
    }
    if (MaterialPages::names(folder).isEmpty())
        return;
    m_windows.ShowMaterialPages(*material, true);
    m_commands.updateEnabled();
}

void WebPreviewCommands::fillPageBox() {
    const QSignalBlocker blocker(m_pageBox);
    m_pageBox->clear();
    CHtmlViewsView* view = m_windows.pagesWindow();
    if (!view)
        return;
    const CHtmlViewsDoc& doc = view->document();
    m_pageBox->addItems(doc.pages());
    if (doc.hasPages())
        m_pageBox->setCurrentIndex(doc.pageIndex());
    else
        m_pageBox->setPlaceholderText(kEmpty);
    m_commands.updateEnabled();
}

void WebPreviewCommands::showStep(const std::optional<QString>& file) {
    CHtmlViewsView* view = m_windows.pagesWindow();
    if (!view)
        return;
    view->showPageFile(file);
    const QSignalBlocker blocker(m_pageBox);
    m_pageBox->setCurrentIndex(view->document().pageIndex());
    m_commands.updateEnabled();
}

void WebPreviewCommands::fillToolBar(QToolBar& bar) const {
    using namespace CommandIds;
    bar.addAction(m_commands.action(SwitchToNormalPreview));
    bar.addAction(m_commands.action(SwitchToWebPreview));
    bar.addSeparator();
    bar.addAction(m_commands.action(FirstMaterialPage));
    bar.addSeparator();
    bar.addAction(m_commands.action(RefreshMaterialPages));
    bar.addWidget(m_pageBox);
    bar.addAction(m_commands.action(PreviousMaterialPage));
    bar.addAction(m_commands.action(NextMaterialPage));
}

void WebPreviewCommands::fillMenu(QMenu& menu) const {
    using namespace CommandIds;
    for (int id : {SwitchToWebPreview, SwitchToNormalPreview})
        menu.addAction(m_commands.action(id));
    menu.addSeparator();
    for (int id : {FirstMaterialPage, PreviousMaterialPage, NextMaterialPage, RefreshMaterialPages})
        menu.addAction(m_commands.action(id));
}
