#include "CUrlEditDlg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

CUrlEditDlg::CUrlEditDlg(Mode mode, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint), m_mode(mode),
      m_title(new QLineEdit(this)), m_address(new QLineEdit(this)),
      m_ok(new QPushButton(QStringLiteral("确定"), this)),
      m_cancel(new QPushButton(QStringLiteral("取消"), this)) {
    setObjectName(QStringLiteral("CUrlEditDlg"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    // Without a caption the edge is all that sets it apart from the pane.
    setStyleSheet(QStringLiteral("CUrlEditDlg { border: 1px solid palette(mid); }"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("标题："), m_title);
    fields->addRow(QStringLiteral("URL："), m_address);
    m_address->setMinimumWidth(260);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CUrlEditDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CUrlEditDlg::reject);
}

void CUrlEditDlg::setFields(const QString& title, const QString& address) {
    m_title->setText(title);
    m_address->setText(address);
}

QString CUrlEditDlg::title() const {
    return m_title->text();
}

QString CUrlEditDlg::address() const {
    return m_address->text();
}

void CUrlEditDlg::accept() {
    Q_EMIT okRequested(title(), address());
}

void CUrlEditDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    QDialog::mousePressEvent(event);
}

void CUrlEditDlg::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}
