#include "DocumentFactory.h"

#include "CHtmlViewsView.h"
#include "CKeepsakeView.h"
#include "CRichEditControlView.h"

#include <QFileInfo>

namespace {

bool isRtf(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("rtf"), Qt::CaseInsensitive) == 0;
}

bool samePath(const QString& a, const QString& b) {
    return !a.isEmpty() && QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

DocumentFactory::DocumentFactory(const QString& schemeFile, CommandRegistry& commands,
                                 Prompter& prompter)
    : m_schemeFile(schemeFile), m_scheme(SyntaxScheme::load(schemeFile)),
      m_context(std::make_unique<QObject>()), m_commands(commands), m_prompter(prompter) {}

DocumentFactory::~DocumentFactory() = default;

void DocumentFactory::setSchemeFile(const QString& schemeFile) {
    m_schemeFile = schemeFile;
    reloadScheme();
}

void DocumentFactory::reloadScheme() {
    // The editors hold the scheme by reference, so they read the new one as
    // soon as they are told to apply it.
    m_scheme = SyntaxScheme::load(m_schemeFile);
    m_textViews.removeAll(nullptr);
    for (const QPointer<CKeepsakeView>& view : std::as_const(m_textViews))
        view->applyScheme();
}

DocumentWindow* DocumentFactory::open(const QString& path) {
    if (isRtf(path))
        return openRichText(path);
    const QString suffix = QFileInfo(path).suffix();
    // Saved pages are read, not edited: the browser shows them as they look.
    if (!CHtmlViewsView::isPageSuffix(suffix) && m_scheme.isTextExtension(suffix))
        return openText(path);
    return openWeb(path);
}

DocumentWindow* DocumentFactory::openDescription(const QString& path) {
    if (isRtf(path))
        return openRichText(path);
    return openWeb(path);
}

CKeepsakeView* DocumentFactory::openText(const QString& path) {
    auto* view = new CKeepsakeView(m_scheme, m_commands, m_prompter);
    if (!view->open(path)) {
        delete view;
        return nullptr;
    }
    m_textViews.removeAll(nullptr);
    m_textViews.append(view);
    // Saving the scheme file in any editor shows the new colours at once.
    QObject::connect(view, &CKeepsakeView::saved, m_context.get(), [this, view] {
        if (samePath(view->filePath(), m_schemeFile))
            reloadScheme();
    });
    return view;
}

CKeepsakeView* DocumentFactory::openSearchHit(const QString& path) {
    CKeepsakeView* view = openText(path);
    const QString suffix = QFileInfo(path).suffix();
    const bool text =
        samePath(path, m_schemeFile) ||
        (!isRtf(path) && !CHtmlViewsView::isPageSuffix(suffix) && m_scheme.isTextExtension(suffix));
    if (view && !text)
        view->setReadOnly(true);
    return view;
}

CRichEditControlView* DocumentFactory::openRichText(const QString& path) {
    auto* view = new CRichEditControlView(m_commands, m_prompter);
    if (view->open(path))
        return view;
    delete view;
    return nullptr;
}

CHtmlViewsView* DocumentFactory::openWeb(const QString& path) {
    auto* view = new CHtmlViewsView;
    if (view->open(path))
        return view;
    delete view;
    return nullptr;
}
