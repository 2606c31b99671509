// The main window's browser: its commands, menus and toolbars, and where the
// web windows' reports show.

#include "CMainFrame.h"

#include "AddressBox.h"
#include "CaptureCommands.h"
#include "MaterialWindows.h"
#include "WebPreviewCommands.h"
#include "WebWindows.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "materials/MaterialPanes.h"
#include "materials/MaterialProperties.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

void CMainFrame::createWeb() {
    m_web = new WebWindows(*m_documents, *m_commands, m_profile, m_prompter, this);
    connect(m_web, &WebWindows::statusTextShown, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    connect(m_web, &WebWindows::progressShown, this, [this](int percent) {
        if (m_progress)
            m_progress->setValue(percent);
    });
    m_preview = new WebPreviewCommands(
        *m_commands, *m_materialWindows, m_prompter,
        [this]() -> std::optional<MaterialRecord> {
            const MaterialProperties& properties = m_materials->properties();
            if (!properties.hasMaterial())
                return std::nullopt;
            return properties.material();
        },
        [this](const MaterialRecord& material) { return openMaterial(material); }, this);
}

void CMainFrame::createWebMenus() {
    using namespace CommandIds;
    QMenu* web = menuBar()->addMenu(QStringLiteral("WEB浏览(&W1)"));
    for (int id : {NewWebPage, BlankPage, HomeInNewWindow, CurrentPageInNewWindow})
        web->addAction(m_commands->action(id));
    web->addSeparator();
    for (int id : {WebBack, WebForward, WebStop, WebRefresh, WebHome})
        web->addAction(m_commands->action(id));
    web->addSeparator();
    QMenu* sizes = web->addMenu(QStringLiteral("文字大小(&X)"));
    for (int id = TextSizeLargest; id <= TextSizeSmallest; ++id)
        sizes->addAction(m_commands->action(id));
    web->addAction(m_commands->action(SavePageAs));
    web->addAction(m_commands->action(SavePageIntoUrlGroup));
    web->addSeparator();
    m_captureCommands->addToMenu(*web);
    web->addSeparator();
    web->addAction(m_commands->action(WebFavorites));
    web->addAction(m_commands->action(WebHistory));
    web->addSeparator();
    web->addAction(m_commands->action(InternetOptions));

    m_preview->fillMenu(*menuBar()->addMenu(QStringLiteral("知识库WEB浏览(&W2)")));
}

void CMainFrame::createWebToolBars() {
    using namespace CommandIds;
    // Icons from the style, present whatever the desktop's theme: the
    // browser's buttons then fit one row beside the address box, and their
    // texts show as tips.
    const struct {
        int id;
        QStyle::StandardPixmap icon;
    } icons[] = {
        {WebBack, QStyle::SP_ArrowBack},
        {WebForward, QStyle::SP_ArrowForward},
        {WebStop, QStyle::SP_BrowserStop},
        {WebRefresh, QStyle::SP_BrowserReload},
        {WebHome, QStyle::SP_DirHomeIcon},
        {NewWebPage, QStyle::SP_FileIcon},
        {AutoSavePage, QStyle::SP_DialogSaveButton},
        {SavePageIntoBase, QStyle::SP_FileDialogNewFolder},
        {FirstMaterialPage, QStyle::SP_MediaSkipBackward},
        {PreviousMaterialPage, QStyle::SP_ArrowLeft},
        {NextMaterialPage, QStyle::SP_ArrowRight},
        {RefreshMaterialPages, QStyle::SP_BrowserReload},
    };
    for (const auto& icon : icons)
        m_commands->action(icon.id)->setIcon(style()->standardIcon(icon.icon));

    // A row of their own: the address box needs the width.
    addToolBarBreak();
    QToolBar* browsing = addToolBar(QStringLiteral("WEB浏览工具条"));
    browsing->setObjectName(QStringLiteral("WEB浏览工具条"));
    for (int id : {WebBack, WebForward, WebStop, WebRefresh, WebHome, NewWebPage})
        browsing->addAction(m_commands->action(id));
    m_captureCommands->addButtons(*browsing);

    QToolBar* page = addToolBar(QStringLiteral("网页浏览"));
    page->setObjectName(QStringLiteral("网页浏览"));
    auto* caption = new QLabel(QStringLiteral(" 地址(&D) "), page);
    caption->setObjectName(QStringLiteral("addressCaption"));
    caption->setBuddy(&m_web->addressBox());
    page->addWidget(caption);
    page->addWidget(&m_web->addressBox());
    page->addAction(m_commands->action(GoToAddress));

    // Below the documents, where the page box has the room the rows above
    // no longer have.
    auto* preview = new QToolBar(QStringLiteral("网页预览工具条"), this);
    addToolBar(Qt::BottomToolBarArea, preview);
    preview->setObjectName(QStringLiteral("网页预览工具条"));
    m_preview->fillToolBar(*preview);
}

void CMainFrame::createHelp() {
    m_commands->define(CommandIds::Help, QStringLiteral("产品使用帮助"),
                       QKeySequence::HelpContents);
    m_commands->setHandler(CommandIds::Help, [this] {
        openDocument(m_workspace.paths().helpFile(QStringLiteral("help.htm")));
    });
}

int CMainFrame::defFontSize() const {
    return m_web ? m_web->textSize() : 2;
}

void CMainFrame::setDefFontSize(int size) {
    if (m_web)
        m_web->setTextSize(size);
}
