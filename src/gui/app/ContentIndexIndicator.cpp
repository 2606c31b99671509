#include "ContentIndexIndicator.h"

#include "workspace/ContentIndexService.h"

#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>

namespace {

const QString kPause = QStringLiteral("暂停索引");
const QString kResume = QStringLiteral("继续索引");

} // namespace

ContentIndexIndicator::ContentIndexIndicator(ContentIndexService& service, QProgressBar& indicator,
                                             QStatusBar& statusBar,
                                             std::function<bool()> othersBusy, QObject* parent)
    : QObject(parent), m_service(service), m_indicator(indicator),
      m_othersBusy(std::move(othersBusy)) {
    m_pause = new QToolButton(&statusBar);
    m_pause->setObjectName(QStringLiteral("pauseIndex"));
    m_pause->setAutoRaise(true);
    m_pause->setText(kPause);
    m_pause->setToolTip(
        QStringLiteral("暂停建立内容索引；暂停时文件搜索照常进行，只是读取全部文件"));
    m_pause->hide();
    statusBar.addPermanentWidget(m_pause);
    connect(m_pause, &QToolButton::clicked, this, [this] {
        if (m_service.isPaused())
            m_service.resume();
        else
            m_service.pause();
    });
    connect(&m_service, &ContentIndexService::progressed, this,
            &ContentIndexIndicator::showProgress);
    connect(&m_service, &ContentIndexService::paused, this, [this] { showPaused(true); });
    connect(&m_service, &ContentIndexService::resumed, this, [this] { showPaused(false); });
    connect(&m_service, &ContentIndexService::finished, this, &ContentIndexIndicator::finish);
}

void ContentIndexIndicator::showProgress(qint64 done, qint64 total) {
    m_pause->show();
    if (m_othersBusy && m_othersBusy()) {
        m_showing = false;
        return;
    }
    // The counts are bytes and may pass what an int holds; the indicator
    // keeps the percent scale the page loads use.
    const int percent = total > 0 ? int(std::clamp<qint64>(done * 100 / total, 0, 100)) : 0;
    m_indicator.setRange(0, 100);
    m_indicator.setValue(percent);
    m_indicator.setToolTip(QStringLiteral("正在建立内容索引：%1%").arg(percent));
    m_showing = true;
}

void ContentIndexIndicator::showPaused(bool paused) {
    m_pause->setText(paused ? kResume : kPause);
    m_indicator.setToolTip(paused ? QStringLiteral("内容索引已暂停") : QString());
}

void ContentIndexIndicator::finish() {
    m_pause->hide();
    m_pause->setText(kPause);
    if (m_showing) {
        m_indicator.setRange(0, 100);
        m_indicator.setValue(0);
        m_indicator.setToolTip(QString());
    }
    m_showing = false;
}
