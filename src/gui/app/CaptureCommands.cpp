#include "CaptureCommands.h"

#include "DocumentArea.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "documents/CHtmlViewsView.h"
#include "documents/PageCapture.h"
#include "store/CategoryCode.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

// The formats' texts, in the order of CaptureFormat.
const char* const kFormatTexts[] = {
    "网页,全部(*htm;*.html)",
    "Web 档案,单个文件(*.mht)",
    "网页,仅 HTML(*.htm;*.html)",
};

const CaptureFormat kFormats[] = {CaptureFormat::CompletePage, CaptureFormat::SingleFile,
                                  CaptureFormat::HtmlOnly};

// The file dialog's filters are the formats' texts, so the filter chosen
// says the format.
std::optional<CaptureCommands::SaveTarget> askWithFileDialog(const QString& proposedPath) {
    QStringList filters;
    for (const char* text : kFormatTexts)
        filters << QString::fromUtf8(text);
    QString chosen = filters[1];
    const QString path =
        QFileDialog::getSaveFileName(nullptr, QStringLiteral("另存为"), proposedPath,
                                     filters.join(QStringLiteral(";;")), &chosen);
    if (path.isEmpty())
        return std::nullopt;
    const CaptureFormat format = kFormats[qMax(0, int(filters.indexOf(chosen)))];
    const QString suffix = CaptureFileName::suffixOf(format);
    const bool hasPageSuffix =
        QStringList{QStringLiteral(".htm"), QStringLiteral(".html"), QStringLiteral(".mht")}
            .contains(QLatin1Char('.') + QFileInfo(path).suffix().toLower());
    return CaptureCommands::SaveTarget{hasPageSuffix ? path : path + suffix, format};
}

} // namespace

const CaptureCommands::Command CaptureCommands::kCommands[2] = {
    {CommandIds::AutoSavePage,
     "自动保存当前网页\t  Ctrl+B",
     {CommandIds::AutoSaveCompletePage, CommandIds::AutoSaveSingleFile,
      CommandIds::AutoSaveHtmlOnly},
     &PageCapture::autoSaveFormat,
     &PageCapture::setAutoSaveFormat},
    {CommandIds::SavePageIntoBase,
     "将当前网页入知识库",
     {CommandIds::IntoBaseCompletePage, CommandIds::IntoBaseSingleFile,
      CommandIds::IntoBaseHtmlOnly},
     &PageCapture::intoBaseFormat,
     &PageCapture::setIntoBaseFormat},
};

CaptureCommands::CaptureCommands(CommandRegistry& commands, PageCapture& capture,
                                 DocumentArea& area, std::function<QString()> currentCode,
                                 QWidget* window)
    : QObject(window), m_commands(commands), m_capture(capture), m_area(area),
      m_currentCode(std::move(currentCode)), m_formatMenus{new QMenu(window), new QMenu(window)},
      m_askSaveTarget(askWithFileDialog) {
    defineCommands();
    connect(&m_area, &QMdiArea::subWindowActivated, this, &CaptureCommands::followActiveWindow);
}

void CaptureCommands::defineCommands() {
    using namespace CommandIds;
    for (int i = 0; i < 2; ++i) {
        const Command& command = kCommands[i];
        m_commands.define(command.id, QString::fromUtf8(command.text),
                          command.id == AutoSavePage ? QKeySequence(Qt::CTRL | Qt::Key_B)
                                                     : QKeySequence(),
                          Qt::WidgetWithChildrenShortcut);
        defineFormats(command, *m_formatMenus[i]);
    }
    m_commands.define(SavePageAs, QStringLiteral("另存为(&S)...\t  Ctrl+S"),
                      QKeySequence(Qt::CTRL | Qt::Key_S), Qt::WidgetWithChildrenShortcut);
    m_commands.setHandler(
        SavePageAs, [this] { saveAs(); }, [this] { return activeWebView() != nullptr; });
    m_commands.setHandler(AutoSavePage, [this] {
        m_capture.CaptureCurrentPage(activeWebView(), m_capture.autoSaveFormat());
    });
    // Only a minor item takes materials; the dialog would refuse any other.
    m_commands.setHandler(
        SavePageIntoBase,
        [this] {
            // Checked before the dialog: a material is made for a page only.
            CHtmlViewsView* view = activeWebView();
            if (m_capture.checkPage(view))
                Q_EMIT intoBaseRequested(view);
        },
        [this] {
            const QString code = m_currentCode();
            return CategoryCode::IsWellFormed(code) && CategoryCode::IsMinor(code);
        });
}

void CaptureCommands::saveAs() {
    CHtmlViewsView* view = activeWebView();
    if (!m_capture.checkPage(view))
        return;
    QString folder = m_capture.captureFolder();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    QString stem = CaptureFileName::stemOf(view->browser()->title());
    if (stem.isEmpty())
        stem = QStringLiteral("无标题");
    const std::optional<SaveTarget> target = m_askSaveTarget(
        QDir(folder).filePath(stem + CaptureFileName::suffixOf(CaptureFormat::SingleFile)));
    if (target)
        m_capture.SavePageAs(view, target->path, target->format);
}

void CaptureCommands::defineFormats(const Command& command, QMenu& menu) {
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    for (int i = 0; i < 3; ++i) {
        const CaptureFormat format = kFormats[i];
        QAction* action =
            m_commands.define(command.formatIds[i], QString::fromUtf8(kFormatTexts[i]));
        action->setCheckable(true);
        group->addAction(action);
        menu.addAction(action);
        m_commands.setHandler(
            command.formatIds[i],
            [this, command, format] { (m_capture.*command.setFormat)(format); },
            // The registry asks again after every command, so the check
            // mark follows the format in force however it was chosen.
            [this, command, format, action] {
                action->setChecked((m_capture.*command.format)() == format);
                return true;
            });
    }
}

void CaptureCommands::addButtons(QToolBar& bar) const {
    for (int i = 0; i < 2; ++i) {
        auto* button = new QToolButton(&bar);
        button->setObjectName(QStringLiteral("captureButton%1").arg(kCommands[i].id));
        button->setDefaultAction(m_commands.action(kCommands[i].id));
        button->setMenu(m_formatMenus[i]);
        button->setPopupMode(QToolButton::MenuButtonPopup);
        bar.addWidget(button);
    }
}

void CaptureCommands::addToMenu(QMenu& menu) const {
    // A menu entry cannot both run and drop down: each command is followed
    // by its formats, the one in force checked.
    for (int i = 0; i < 2; ++i) {
        if (i > 0)
            menu.addSeparator();
        menu.addAction(m_commands.action(kCommands[i].id));
        menu.addActions(m_formatMenus[i]->actions());
    }
}

CHtmlViewsView* CaptureCommands::activeWebView() const {
    return qobject_cast<CHtmlViewsView*>(m_area.activeDocument());
}

void CaptureCommands::followActiveWindow() {
    CHtmlViewsView* view = activeWebView();
    if (!view)
        return;
    for (int id : {CommandIds::AutoSavePage, CommandIds::SavePageAs}) {
        QAction* action = m_commands.action(id);
        if (!view->actions().contains(action))
            view->addAction(action);
    }
    m_capture.watch(view->browser()->page()->profile());
}
