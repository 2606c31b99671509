#pragma once

#include <QDialog>
#include <QList>
#include <QUrl>

#include <functional>

class QLabel;
struct UpdateNotice;

// "产品更新通知": tells the user that a newer version has been released and
// where to get it, without holding up the work in the main window. Every text
// from the update server is shown as plain text; only an address that is an
// http or https link can be clicked, and the click opens the address the
// program checked, never markup from the server.
class UpdateNoticeWindow : public QDialog {
    Q_OBJECT
public:
    using Opener = std::function<bool(const QUrl&)>;

    explicit UpdateNoticeWindow(const UpdateNotice& notice, QWidget* parent = nullptr);

    // Replaces the desktop's browser, for tests.
    void setOpener(Opener opener) { m_opener = std::move(opener); }

    QLabel* messageLabel() const { return m_message; }
    // Per site shown: its name, then its address.
    QList<QLabel*> siteLabels() const { return m_siteLabels; }

private:
    void openSite(int row);

    QLabel* m_message;
    QList<QLabel*> m_siteLabels;
    // By row; empty where the address is no web link.
    QList<QUrl> m_links;
    Opener m_opener;
};
