#include "MaterialWindows.h"

#include "documents/CHtmlViewsView.h"
#include "documents/DocumentFactory.h"
#include "documents/DocumentWindow.h"
#include "materials/MaterialOpening.h"
#include "materials/MaterialPanes.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

MaterialWindows::MaterialWindows(QMdiArea& area, DocumentFactory& factory, MaterialPanes& panes,
                                 Prompter& prompter, QString emptyPage,
                                 std::function<void(DocumentWindow*)> show, QObject* parent)
    : QObject(parent), m_area(area), m_factory(factory), m_panes(panes), m_prompter(prompter),
      m_emptyPage(std::move(emptyPage)), m_show(std::move(show)) {}

bool MaterialWindows::isOpen(const MaterialRecord& material) const {
    return m_windows.contains(keyOf(material));
}

bool MaterialWindows::open(const MaterialRecord& material) {
    if (DocumentWindow* open = m_windows.value(keyOf(material))) {
        m_area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(open->parentWidget()));
        return true;
    }
    DocumentWindow* window = windowFor(material);
    if (!window) {
        MaterialOpening::ReportMissingDescription(m_prompter);
        return false;
    }
    window->setWindowTitle(material.MinuItemName);
    m_show(window);
    track(window, material);
    m_panes.properties().show(material);
    return true;
}

DocumentWindow* MaterialWindows::windowFor(const MaterialRecord& material) {
    const MaterialOpening::Target target = MaterialOpening::TargetOf(material);
    if (target.viewer != MaterialOpening::Viewer::WebPages) {
        if (target.file.isEmpty() || !QFileInfo(target.file).isFile())
            return nullptr;
        return m_factory.openDescription(target.file);
    }
    if (target.folder.isEmpty())
        return nullptr;
    // The material's own pages, else the page that says it has none.
    const QDir folder(target.folder);
    QStringList pages;
    for (const QString& name : folder.entryList(
             {QStringLiteral("*.htm"), QStringLiteral("*.html"), QStringLiteral("*.mht")},
             QDir::Files, QDir::Name))
        pages << folder.filePath(name);
    auto* web = new CHtmlViewsView;
    web->showPages(material.MinuItemName, pages, m_emptyPage);
    return web;
}

void MaterialWindows::track(DocumentWindow* window, const MaterialRecord& material) {
    const Key key = keyOf(material);
    m_windows.insert(key, window);
    m_panes.openMaterials().opened(material);
    connect(window, &QObject::destroyed, this, [this, key, material, window] {
        // A window closed here is forgotten at once; a later one of the same
        // material must not be forgotten when the old one is finally deleted.
        if (m_windows.value(key) == window)
            forget(key, material);
    });
}

void MaterialWindows::forget(const Key& key, const MaterialRecord& material) {
    m_windows.remove(key);
    m_panes.openMaterials().closed(material);
}

bool MaterialWindows::close(const MaterialRecord& material) {
    const Key key = keyOf(material);
    DocumentWindow* window = m_windows.value(key);
    if (!window)
        return true;
    if (!window->parentWidget()->close())
        return false;
    forget(key, material);
    return true;
}
