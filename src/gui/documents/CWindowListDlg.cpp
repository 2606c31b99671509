#include "CWindowListDlg.h"

#include "DocumentWindow.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QMdiSubWindow* frameOf(DocumentWindow* document) {
    return qobject_cast<QMdiSubWindow*>(document->parentWidget());
}

DocumentWindow* activeDocument(QMdiArea* area) {
    QMdiSubWindow* frame = area->currentSubWindow();
    return frame ? qobject_cast<DocumentWindow*>(frame->widget()) : nullptr;
}

} // namespace

CWindowListDlg::CWindowListDlg(QMdiArea* area, QWidget* parent)
    : QDialog(parent), m_area(area), m_list(new QListWidget(this)),
      m_activate(new QPushButton(QStringLiteral("激活"), this)),
      m_save(new QPushButton(QStringLiteral("保存"), this)),
      m_close(new QPushButton(QStringLiteral("关闭窗口"), this)) {
    setWindowTitle(QStringLiteral("窗口"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_activate);
    buttons->addWidget(ok);
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::itemSelectionChanged, this, &CWindowListDlg::updateButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CWindowListDlg::activate);
    connect(m_activate, &QPushButton::clicked, this, &CWindowListDlg::activate);
    connect(m_save, &QPushButton::clicked, this, &CWindowListDlg::saveSelected);
    connect(m_close, &QPushButton::clicked, this, &CWindowListDlg::closeSelected);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
    if (DocumentWindow* active = activeDocument(m_area)) {
        for (int row = 0; row < m_list->count(); ++row) {
            if (m_list->item(row)->data(Qt::UserRole).value<QObject*>() == active)
                m_list->setCurrentRow(row);
        }
    }
}

void CWindowListDlg::refresh() {
    m_list->clear();
    for (QMdiSubWindow* frame : m_area->subWindowList(QMdiArea::CreationOrder)) {
        auto* document = qobject_cast<DocumentWindow*>(frame->widget());
        if (!document)
            continue;
        auto* item = new QListWidgetItem(document->windowTitle(), m_list);
        item->setData(Qt::UserRole, QVariant::fromValue<QObject*>(document));
    }
    updateButtons();
}

void CWindowListDlg::updateButtons() {
    const int count = m_list->selectedItems().size();
    m_activate->setEnabled(count == 1);
    m_save->setEnabled(count > 0);
    m_close->setEnabled(count > 0);
}

QList<DocumentWindow*> CWindowListDlg::selected() const {
    QList<DocumentWindow*> documents;
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        if (item->isSelected())
            documents.append(
                qobject_cast<DocumentWindow*>(item->data(Qt::UserRole).value<QObject*>()));
    }
    return documents;
}

void CWindowListDlg::activate() {
    const QList<DocumentWindow*> documents = selected();
    if (documents.size() != 1)
        return;
    if (QMdiSubWindow* frame = frameOf(documents.first()))
        m_area->setActiveSubWindow(frame);
    accept();
}

void CWindowListDlg::saveSelected() {
    // A failed save says so itself; the others are still saved.
    for (DocumentWindow* document : selected())
        document->save();
    refresh();
}

void CWindowListDlg::closeSelected() {
    // A document may ask to save first, or refuse; each is asked in turn and
    // one that goes away must not be touched again.
    QList<QPointer<DocumentWindow>> documents;
    for (DocumentWindow* document : selected())
        documents.append(document);
    for (const QPointer<DocumentWindow>& document : documents) {
        if (document) {
            if (QMdiSubWindow* frame = frameOf(document))
                frame->close();
        }
    }
    refresh();
}
