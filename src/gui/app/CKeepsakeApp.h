#pragma once

#include "WidgetPrompter.h"
#include "config/Profile.h"

#include <QApplication>
#include <memory>

class CMainFrame;
class SingleInstance;

// The application object: prepares the program folder, builds the main
// window, opens the files named on the command line and keeps the program's
// overwrite mode, which the Insert key flips wherever the focus is.
class CKeepsakeApp : public QApplication {
    Q_OBJECT
public:
    CKeepsakeApp(int& argc, char** argv);
    ~CKeepsakeApp() override;

    // The whole start-up; false ends the program at once.
    bool InitInstance();
    // True when InitInstance ended because a window already runs on the
    // program folder and took this start's files: that is no failure.
    bool handedOver() const { return m_handedOver; }
    // Releases the window and the single-instance claim, then starts the
    // program again when a classic layout asked for it: the new instance
    // must find the layout written and the claim free.
    int ExitInstance();

    bool overwriteMode() const { return m_overwriteMode; }
    CMainFrame* mainFrame() const { return m_mainFrame.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void installTranslations();
    bool runFirstRunSetup(const class ProgramPaths& paths);
    void openHandedFiles();

    WidgetPrompter m_prompter;
    Profile m_profile;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<CMainFrame> m_mainFrame;
    bool m_handedOver = false;
    // Files a later start handed over, kept until the window is up.
    QStringList m_handedFiles;
    bool m_windowUp = false;
    bool m_overwriteMode = false;
};
