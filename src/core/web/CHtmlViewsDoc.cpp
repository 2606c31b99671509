#include "CHtmlViewsDoc.h"

#include "MaterialPages.h"

void CHtmlViewsDoc::setTitle(const QString& title) {
    if (title == m_title)
        return;
    m_title = title;
    Q_EMIT titleChanged(m_title);
}

std::optional<QString> CHtmlViewsDoc::showPagesOf(const QString& folder) {
    m_folder = folder;
    m_pages = MaterialPages::names(folder);
    m_index = 0;
    m_current.clear();
    return firstPage();
}

void CHtmlViewsDoc::refreshPages() {
    m_pages = MaterialPages::names(m_folder);
    const int at = int(m_pages.indexOf(m_current));
    if (at >= 0)
        m_index = at;
    else
        m_index = qBound(0, m_index, qMax(0, int(m_pages.size()) - 1));
}

std::optional<QString> CHtmlViewsDoc::firstPage() {
    return showAt(0);
}

std::optional<QString> CHtmlViewsDoc::previousPage() {
    return showAt(m_index - 1);
}

std::optional<QString> CHtmlViewsDoc::nextPage() {
    return showAt(m_index + 1);
}

std::optional<QString> CHtmlViewsDoc::choosePage(const QString& name) {
    return showAt(int(m_pages.lastIndexOf(name)));
}

std::optional<QString> CHtmlViewsDoc::showAt(int index) {
    if (m_pages.isEmpty())
        return std::nullopt;
    if (index < 0 || index >= m_pages.size()) {
        // Past either end the place stays at that end and nothing loads.
        m_index = qBound(0, m_index, int(m_pages.size()) - 1);
        return std::nullopt;
    }
    m_index = index;
    m_current = m_pages[index];
    return MaterialPages::resolve(m_folder, m_current);
}
