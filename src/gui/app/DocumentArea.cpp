#include "DocumentArea.h"

#include <QMdiSubWindow>
#include <QTabBar>

DocumentArea::DocumentArea(QWidget* parent) : QMdiArea(parent) {
    setViewMode(QMdiArea::TabbedView);
    setTabsClosable(true);
    setTabsMovable(true);
    setDocumentMode(true);
    setActivationOrder(QMdiArea::StackingOrder);
}

void DocumentArea::addDocument(DocumentWindow* document, QMdiSubWindow* frame) {
    QMdiSubWindow* sub = addSubWindow(frame ? static_cast<QWidget*>(frame) : document);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(document->windowTitle());
    sub->showMaximized();
    setActiveSubWindow(sub);
    // Tabs show the full path of the file as their tool tip.
    if (auto* bar = findChild<QTabBar*>()) {
        const int index = subWindowList().indexOf(sub);
        if (index >= 0)
            bar->setTabToolTip(index, document->toolTip());
    }
}

QList<DocumentWindow*> DocumentArea::documentsFromActive() const {
    const QList<QMdiSubWindow*> subs = subWindowList(QMdiArea::CreationOrder);
    QList<DocumentWindow*> docs;
    const int start = qMax(0, subs.indexOf(currentSubWindow()));
    for (int i = 0; i < subs.size(); ++i) {
        if (auto* doc = qobject_cast<DocumentWindow*>(subs[(start + i) % subs.size()]->widget()))
            docs.append(doc);
    }
    return docs;
}

DocumentWindow* DocumentArea::activeDocument() const {
    QMdiSubWindow* sub = currentSubWindow();
    return sub ? qobject_cast<DocumentWindow*>(sub->widget()) : nullptr;
}

void DocumentArea::closeWhere(const std::function<bool(DocumentWindow*)>& closes) {
    const QList<DocumentWindow*> docs = documentsFromActive();
    for (DocumentWindow* doc : docs) {
        if (closes(doc)) {
            if (auto* sub = qobject_cast<QMdiSubWindow*>(doc->parentWidget()))
                sub->close();
        }
    }
}

void DocumentArea::closeWebWindows() {
    closeWhere([](DocumentWindow* d) { return d->kind() == DocumentWindow::Kind::Web; });
}

void DocumentArea::closeNonWebWindows() {
    closeWhere([](DocumentWindow* d) { return d->kind() != DocumentWindow::Kind::Web; });
}

void DocumentArea::closeAllButActive() {
    DocumentWindow* active = activeDocument();
    closeWhere([active](DocumentWindow* d) { return d != active; });
}

void DocumentArea::closeOtherKinds() {
    DocumentWindow* active = activeDocument();
    if (!active)
        return;
    const auto kind = active->kind();
    closeWhere([kind](DocumentWindow* d) { return d->kind() != kind; });
}

void DocumentArea::closeActiveKind() {
    DocumentWindow* active = activeDocument();
    if (!active)
        return;
    const auto kind = active->kind();
    closeWhere([kind](DocumentWindow* d) { return d->kind() == kind; });
}

void DocumentArea::closeActive() {
    if (QMdiSubWindow* sub = currentSubWindow())
        sub->close();
}

void DocumentArea::closeAll() {
    closeWhere([](DocumentWindow*) { return true; });
}

bool DocumentArea::saveAll() {
    bool ok = true;
    for (DocumentWindow* doc : documentsFromActive())
        ok = doc->save() && ok;
    return ok;
}
