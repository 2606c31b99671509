#include "CNoResourceShowView.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

CNoResourceShowView::CNoResourceShowView(const QString& filePath, QWidget* parent)
    : DocumentWindow(Kind::Other, parent), m_filePath(filePath) {
    const QFileInfo info(filePath);
    const QString name = info.fileName().isEmpty() ? filePath : info.fileName();
    setWindowTitle(name);
    setToolTip(filePath);

    auto* title = new QLabel(name, this);
    title->setObjectName(QStringLiteral("fileName"));
    QFont f = title->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);

    m_message = info.exists() ? QStringLiteral("程序无法显示文件 \"%1\"。").arg(name)
                              : QStringLiteral("文件 \"%1\" 不存在。").arg(name);
    auto* detail = new QLabel(m_message + QStringLiteral("\n") + info.absoluteFilePath(), this);
    detail->setObjectName(QStringLiteral("message"));
    detail->setAlignment(Qt::AlignCenter);
    detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    detail->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(detail);

    // The desktop may know a program for the file; it opens there as the
    // user's own, and this window still never touches it.
    if (info.isFile()) {
        auto* openExternally = new QPushButton(QStringLiteral("用默认程序打开(&O)"), this);
        openExternally->setObjectName(QStringLiteral("openExternally"));
        connect(openExternally, &QPushButton::clicked, this, [this] {
            QDesktopServices::openUrl(
                QUrl::fromLocalFile(QFileInfo(m_filePath).absoluteFilePath()));
        });
        layout->addWidget(openExternally, 0, Qt::AlignCenter);
    }
    layout->addStretch();
}

QString CNoResourceShowView::message() const {
    return m_message;
}

void CNoResourceShowView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient gradient(rect().topLeft(), rect().bottomLeft());
    gradient.setColorAt(0, QColor(0xf4, 0xf7, 0xfb));
    gradient.setColorAt(1, QColor(0xc9, 0xd6, 0xe8));
    painter.fillRect(rect(), gradient);
}
