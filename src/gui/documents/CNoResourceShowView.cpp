#include "CNoResourceShowView.h"

#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

CNoResourceShowView::CNoResourceShowView(const QString& filePath, QWidget* parent)
    : DocumentWindow(Kind::Other, parent), m_filePath(filePath) {
    const QFileInfo info(filePath);
    setWindowTitle(info.fileName().isEmpty() ? filePath : info.fileName());
    setToolTip(filePath);

    auto* title = new QLabel(info.fileName(), this);
    QFont f = title->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);

    const QString note = info.exists() ? QStringLiteral("没有可以显示该文件的查看器。")
                                       : QStringLiteral("文件不存在。");
    auto* detail = new QLabel(note + QStringLiteral("\n") + info.absoluteFilePath(), this);
    detail->setAlignment(Qt::AlignCenter);
    detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    detail->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(detail);
    layout->addStretch();
}
