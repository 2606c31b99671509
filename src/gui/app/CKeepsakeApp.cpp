#include "CKeepsakeApp.h"

#include "CMainFrame.h"
#include "config/FirstRunSetup.h"
#include "dialogs/CStorePathDlg.h"

#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

CKeepsakeApp::CKeepsakeApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Keepsake"));
    setOrganizationName(QStringLiteral("Keepsake"));
    setApplicationDisplayName(QStringLiteral("Keepsake"));
    installTranslations();
    installEventFilter(this);
}

CKeepsakeApp::~CKeepsakeApp() = default;

void CKeepsakeApp::installTranslations() {
    // Qt's own buttons and dialogs speak Chinese like the rest of the program.
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
}

bool CKeepsakeApp::eventFilter(QObject* watched, QEvent* event) {
    // Every widget sees the key press after this; only whole-program key
    // presses are counted, not the copies delivered to each parent widget.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        watched == focusWidget()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Insert && !key->isAutoRepeat())
            m_overwriteMode = !m_overwriteMode;
    }
    return QApplication::eventFilter(watched, event);
}

bool CKeepsakeApp::runFirstRunSetup(const ProgramPaths& paths) {
    CStorePathDlg dialog(m_prompter);
    if (dialog.exec() != QDialog::Accepted || dialog.name().isEmpty() ||
        dialog.folder().isEmpty())
        return false;
    return FirstRunSetup::complete(paths, dialog.name(), dialog.folder(), m_prompter);
}

bool CKeepsakeApp::InitInstance() {
    const ProgramPaths paths = ProgramPaths::forExecutable(applicationDirPath());

    m_mainFrame = std::make_unique<CMainFrame>(paths, m_prompter, m_profile);
    m_prompter.setParent(m_mainFrame.get());
    if (!m_mainFrame->workspace().ensureConfigFolder())
        return false;
    if (!m_mainFrame->OnCreate([this, &paths] { return runFirstRunSetup(paths); }))
        return false;

    const QStringList args = arguments();
    for (int i = 1; i < args.size(); ++i)
        m_mainFrame->openDocument(args[i]);

    m_mainFrame->showMaximized();
    m_mainFrame->setDefFontSize(
        m_profile.intValue(QStringLiteral("Settings"), QStringLiteral("DefFontSize"), 2));
    return true;
}

int CKeepsakeApp::ExitInstance() {
    m_mainFrame.reset();
    return 0;
}
