#include "MaterialWindows.h"

#include "Prompter.h"
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
    return m_windows.contains(keyOf(material)) ||
           (m_pagesMaterial && keyOf(*m_pagesMaterial) == keyOf(material));
}

bool MaterialWindows::open(const MaterialRecord& material) {
    if (MaterialOpening::TargetOf(material).viewer == MaterialOpening::Viewer::WebPages) {
        setWebPreview(false, false);
        if (m_pagesMaterial && keyOf(*m_pagesMaterial) == keyOf(material) && m_pagesWindow) {
            activate(m_pagesWindow);
            m_panes.properties().show(material);
            return true;
        }
        return ShowMaterialPages(material, true);
    }
    setWebPreview(false, true);
    if (DocumentWindow* open = m_windows.value(keyOf(material))) {
        activate(open);
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
    if (target.file.isEmpty() || !QFileInfo(target.file).isFile())
        return nullptr;
    return m_factory.openDescription(target.file);
}

bool MaterialWindows::ShowMaterialPages(const MaterialRecord& material, bool record) {
    const QString folder = MaterialOpening::TargetOf(material).folder;
    if (folder.isEmpty()) { // it would lie outside the base
        MaterialOpening::ReportMissingDescription(m_prompter);
        return false;
    }
    if (!QDir().mkpath(folder)) {
        m_prompter.error(QStringLiteral("创建知识库存放目录失败"));
        return false;
    }
    CHtmlViewsView* window = takePagesWindow();
    window->showMaterialPages(material.MinuItemName, folder, m_emptyPage);
    window->setWindowTitle(material.MinuItemName);
    if (record)
        recordPagesMaterial(material);
    Q_EMIT pagesShown();
    m_panes.properties().show(material);
    return true;
}

CHtmlViewsView* MaterialWindows::takePagesWindow() {
    if (m_pagesWindow) {
        activate(m_pagesWindow);
        return m_pagesWindow;
    }
    auto* window = new CHtmlViewsView;
    m_pagesWindow = window;
    m_show(window);
    connect(window, &QObject::destroyed, this, [this] {
        // Half destroyed already: nothing the material's leaving sets off
        // may reach it through the pointer.
        m_pagesWindow.clear();
        recordPagesMaterial(std::nullopt);
    });
    return window;
}

void MaterialWindows::recordPagesMaterial(const std::optional<MaterialRecord>& material) {
    // The window shows one material at a time: the one it showed before is
    // no longer open in it, and stays listed only when it has a window of
    // its own.
    if (m_pagesMaterial && material && keyOf(*m_pagesMaterial) == keyOf(*material))
        return;
    if (m_pagesMaterial && !m_windows.contains(keyOf(*m_pagesMaterial)))
        m_panes.openMaterials().closed(*m_pagesMaterial);
    m_pagesMaterial = material;
    if (material)
        m_panes.openMaterials().opened(*material);
}

CHtmlViewsView* MaterialWindows::pagesWindow() const {
    return m_pagesWindow;
}

std::optional<MaterialRecord> MaterialWindows::activeNonWebMaterial() const {
    // The window in front even while another program has the focus, or
    // before the main window is first shown.
    const QMdiSubWindow* active = m_area.currentSubWindow();
    if (!active)
        return std::nullopt;
    for (auto it = m_windows.cbegin(); it != m_windows.cend(); ++it) {
        if (it.value()->parentWidget() == active && it.value()->kind() != DocumentWindow::Kind::Web)
            return m_records.value(it.key());
    }
    return std::nullopt;
}

void MaterialWindows::setWebPreview(bool shown, bool available) {
    m_previewShown = shown;
    m_previewAvailable = available;
}

void MaterialWindows::activate(QWidget* window) {
    m_area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
}

void MaterialWindows::track(DocumentWindow* window, const MaterialRecord& material) {
    const Key key = keyOf(material);
    m_windows.insert(key, window);
    m_records.insert(key, material);
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
    m_records.remove(key);
    if (!(m_pagesMaterial && keyOf(*m_pagesMaterial) == key))
        m_panes.openMaterials().closed(material);
}

bool MaterialWindows::close(const MaterialRecord& material) {
    const Key key = keyOf(material);
    if (m_pagesMaterial && keyOf(*m_pagesMaterial) == key && m_pagesWindow) {
        if (!m_pagesWindow->parentWidget()->close())
            return false;
        recordPagesMaterial(std::nullopt);
    }
    DocumentWindow* window = m_windows.value(key);
    if (!window)
        return true;
    if (!window->parentWidget()->close())
        return false;
    forget(key, material);
    return true;
}
