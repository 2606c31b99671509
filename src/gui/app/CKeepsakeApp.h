#pragma once

#include "WidgetPrompter.h"
#include "config/Profile.h"

#include <QApplication>
#include <memory>

class CMainFrame;

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
    int ExitInstance();

    bool overwriteMode() const { return m_overwriteMode; }
    CMainFrame* mainFrame() const { return m_mainFrame.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void installTranslations();
    bool runFirstRunSetup(const class ProgramPaths& paths);

    WidgetPrompter m_prompter;
    Profile m_profile;
    std::unique_ptr<CMainFrame> m_mainFrame;
    bool m_overwriteMode = false;
};
