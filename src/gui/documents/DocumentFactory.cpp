#include "DocumentFactory.h"

#include "CHtmlViewsView.h"
#include "CKeepsakeView.h"
#include "CRichEditControlView.h"

#include <QFileInfo>

namespace {

bool isRtf(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("rtf"), Qt::CaseInsensitive) == 0;
}

} // namespace

DocumentFactory::DocumentFactory(const QString& schemeFile, CommandRegistry& commands,
                                 Prompter& prompter)
    : m_scheme(SyntaxScheme::load(schemeFile)), m_commands(commands), m_prompter(prompter) {}

DocumentWindow* DocumentFactory::open(const QString& path) const {
    if (isRtf(path))
        return openRichText(path);
    const QString suffix = QFileInfo(path).suffix();
    // Saved pages are read, not edited: the browser shows them as they look.
    if (!CHtmlViewsView::isPageSuffix(suffix) && m_scheme.isTextExtension(suffix))
        return openText(path);
    return openWeb(path);
}

DocumentWindow* DocumentFactory::openDescription(const QString& path) const {
    if (isRtf(path))
        return openRichText(path);
    return openWeb(path);
}

CKeepsakeView* DocumentFactory::openText(const QString& path) const {
    auto* view = new CKeepsakeView(m_scheme, m_commands, m_prompter);
    if (view->open(path))
        return view;
    delete view;
    return nullptr;
}

CRichEditControlView* DocumentFactory::openRichText(const QString& path) const {
    auto* view = new CRichEditControlView(m_commands, m_prompter);
    if (view->open(path))
        return view;
    delete view;
    return nullptr;
}

CHtmlViewsView* DocumentFactory::openWeb(const QString& path) const {
    auto* view = new CHtmlViewsView;
    if (view->open(path))
        return view;
    delete view;
    return nullptr;
}
