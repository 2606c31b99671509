#include "UpdateNoticeWindow.h"

#include "web/UpdateCheck.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    // An address that is no link can still be copied by hand.
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

UpdateNoticeWindow::UpdateNoticeWindow(const UpdateNotice& notice, QWidget* parent)
    : QDialog(parent), m_opener([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setWindowTitle(QStringLiteral("产品更新通知"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    m_message = plainLabel(
        QStringLiteral("官方已发布新版本 %1,请通过以下链接进行更新...").arg(notice.version), this);
    QFont bold = QApplication::font("QMenu");
    bold.setWeight(QFont::Bold);
    m_message->setFont(bold);
    m_message->setWordWrap(true);

    auto* rows = new QGridLayout;
    for (const UpdateSite& site : notice.sites.mid(0, UpdateFile::kMaxSites)) {
        const int row = int(m_links.size());
        const QUrl link = site.link();
        QLabel* address = plainLabel(site.address, this);
        if (!link.isEmpty()) {
            // The anchor carries only the row number, so nothing the server
            // sent becomes markup or a target.
            address->setTextFormat(Qt::RichText);
            address->setText(
                QStringLiteral("<a href=\"%1\">%2</a>").arg(row).arg(site.address.toHtmlEscaped()));
            address->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                             Qt::LinksAccessibleByKeyboard);
            connect(address, &QLabel::linkActivated, this, [this, row] { openSite(row); });
        }
        QLabel* name = plainLabel(site.name, this);
        rows->addWidget(name, row, 0);
        rows->addWidget(address, row, 1);
        m_siteLabels << name << address;
        m_links << link;
    }

    auto* note =
        plainLabel(QStringLiteral("提示：通过以上站点下载的升级版软件只能安装在和本软件相同的"
                                  "目录下，不能单独另选目录安装运行。"),
                   this);
    note->setWordWrap(true);
    auto* close = new QPushButton(QStringLiteral("关闭窗口"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addLayout(rows);
    layout->addWidget(note);
    layout->addWidget(close, 0, Qt::AlignHCenter);
}

void UpdateNoticeWindow::openSite(int row) {
    const QUrl link = m_links.value(row);
    if (!link.isEmpty())
        m_opener(link);
}
