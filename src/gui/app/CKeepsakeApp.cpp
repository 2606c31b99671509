#include "CKeepsakeApp.h"

#include "CMainFrame.h"
#include "SingleInstance.h"
#include "commands/CommandIcons.h"
#include "config/FirstRunSetup.h"
#include "dialogs/CStorePathDlg.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcess>
#include <QScreen>
#include <QTranslator>
#include <utility>

CKeepsakeApp::CKeepsakeApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Keepsake"));
    setOrganizationName(QStringLiteral("Keepsake"));
    setApplicationDisplayName(QStringLiteral("Keepsake"));
    setDesktopFileName(QStringLiteral("io.github.keepsake.keepsake"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/keepsake.svg")));
    installTranslations();
    CommandIcons::useProgramTheme();
    installEventFilter(this);
}

CKeepsakeApp::~CKeepsakeApp() = default;

void CKeepsakeApp::installTranslations() {
    // Qt's own buttons and dialogs speak Chinese like the rest of the program.
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
}

bool CKeepsakeApp::eventFilter(QObject* watched, QEvent* event) {
    // Every widget sees the key press after this; only whole-program key
    // presses are counted, not the copies delivered to each parent widget.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() && watched == focusWidget()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Insert && !key->isAutoRepeat())
            m_overwriteMode = !m_overwriteMode;
    }
    return QApplication::eventFilter(watched, event);
}

bool CKeepsakeApp::runFirstRunSetup(const ProgramPaths& paths) {
    CStorePathDlg dialog(m_prompter);
    if (dialog.exec() != QDialog::Accepted || dialog.name().isEmpty() || dialog.folder().isEmpty())
        return false;
    return FirstRunSetup::complete(paths, dialog.name(), dialog.folder(), m_prompter);
}

bool CKeepsakeApp::InitInstance() {
    const ProgramPaths paths = ProgramPaths::forExecutable(applicationDirPath());
    const QStringList files = arguments().mid(1);
    m_instance = std::make_unique<SingleInstance>(paths.programFolder());
    if (!m_instance->claim(files)) {
        m_handedOver = true;
        return false;
    }

    m_mainFrame = std::make_unique<CMainFrame>(paths, m_prompter, m_profile);
    // A later start may hand over its files while this one still asks its
    // first-run questions: they wait until the window is up.
    connect(m_instance.get(), &SingleInstance::filesReceived, this, [this](const QStringList& got) {
        m_handedFiles += got;
        if (m_windowUp)
            openHandedFiles();
    });
    m_prompter.setParent(m_mainFrame.get());
    if (!m_mainFrame->workspace().ensureConfigFolder())
        return false;
    if (!m_mainFrame->OnCreate([this, &paths] { return runFirstRunSetup(paths); }))
        return false;

    for (const QString& file : files)
        m_mainFrame->openDocument(file);
    m_windowUp = true;

    // A desktop without a window manager ignores "maximised": the window
    // still gets the screen's size, so the status bar is never off-screen.
    if (const QScreen* screen = m_mainFrame->screen())
        m_mainFrame->setGeometry(screen->availableGeometry());
    m_mainFrame->showMaximized();
    m_mainFrame->setDefFontSize(
        m_profile.intValue(QStringLiteral("Settings"), QStringLiteral("DefFontSize"), 2));
    if (!m_handedFiles.isEmpty())
        openHandedFiles();
    m_mainFrame->startUpdateCheck();
    return true;
}

void CKeepsakeApp::openHandedFiles() {
    const QStringList files = std::exchange(m_handedFiles, {});
    for (const QString& file : files)
        m_mainFrame->openDocument(file);
    m_mainFrame->setWindowState(m_mainFrame->windowState() & ~Qt::WindowMinimized);
    m_mainFrame->raise();
    m_mainFrame->activateWindow();
}

int CKeepsakeApp::ExitInstance() {
    const bool restart = m_mainFrame && m_mainFrame->restartAtExit();
    m_mainFrame.reset();
    m_instance.reset();
    if (restart)
        QProcess::startDetached(applicationFilePath(), {});
    return 0;
}
