#pragma once

#include <QObject>
#include <functional>

class ContentIndexService;
class QProgressBar;
class QStatusBar;
class QToolButton;

// Shows the content index being built or brought up to date in the status
// bar's progress indicator, with a button that pauses and resumes it. The
// indicator is shared with page loads and long operations; while one of
// those has it (othersBusy), the index's progress waits for its turn.
class ContentIndexIndicator : public QObject {
    Q_OBJECT
public:
    ContentIndexIndicator(ContentIndexService& service, QProgressBar& indicator,
                          QStatusBar& statusBar, std::function<bool()> othersBusy,
                          QObject* parent = nullptr);

    QToolButton* pauseButton() const { return m_pause; }

private:
    void showProgress(qint64 done, qint64 total);
    void showPaused(bool paused);
    void finish();

    ContentIndexService& m_service;
    QProgressBar& m_indicator;
    std::function<bool()> m_othersBusy;
    QToolButton* m_pause;
    bool m_showing = false;
};
