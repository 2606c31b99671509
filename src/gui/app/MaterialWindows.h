#pragma once

#include "store/MaterialRecord.h"

#include <QMap>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <functional>
#include <optional>

class CHtmlViewsView;
class DocumentFactory;
class DocumentWindow;
class MaterialPanes;
class Prompter;
class QMdiArea;

// The document window of each open material, by base id and material id,
// kept in step with the list of open materials. A material kept as web pages
// shows in one shared web window, which shows one material's pages at a time.
class MaterialWindows : public QObject {
    Q_OBJECT
public:
    // `show` puts a new window into the document area; `emptyPage` is the
    // page a material without pages of its own shows.
    MaterialWindows(QMdiArea& area, DocumentFactory& factory, MaterialPanes& panes,
                    Prompter& prompter, QString emptyPage,
                    std::function<void(DocumentWindow*)> show, QObject* parent = nullptr);

    // Opens a material in the viewer of its kind, or brings its window to the
    // front when it is open already. False (after saying why) when there is
    // nothing to show.
    bool open(const MaterialRecord& material);
    bool isOpen(const MaterialRecord& material) const;
    // The ordinary close, so a modified document asks to be saved; false when
    // the window stays open.
    bool close(const MaterialRecord& material);

    // Shows a material's pages in the shared web window, opening it when
    // there is none, and makes it the current material. The window counts
    // as the material's open window when `record` is set. False after a
    // message when the material's folder cannot be made.
    bool ShowMaterialPages(const MaterialRecord& material, bool record);
    // The material of the active tab when the tab is an open material's
    // window that is not a web window.
    std::optional<MaterialRecord> activeNonWebMaterial() const;
    // The shared web window, when it is open.
    CHtmlViewsView* pagesWindow() const;

    // Whether the current material shows as web pages, and whether it can
    // be switched to them; set by each opening.
    bool webPreviewShown() const { return m_previewShown; }
    bool webPreviewAvailable() const { return m_previewAvailable; }
    void setWebPreview(bool shown, bool available);

Q_SIGNALS:
    // The shared web window shows another material's pages (or its list of
    // pages was read again): its page box is to be refilled.
    void pagesShown();

private:
    using Key = QPair<QString, QString>;
    static Key keyOf(const MaterialRecord& material) {
        return qMakePair(material.KnowledgeBaseID, material.MinuItemID);
    }
    DocumentWindow* windowFor(const MaterialRecord& material);
    void track(DocumentWindow* window, const MaterialRecord& material);
    void forget(const Key& key, const MaterialRecord& material);
    CHtmlViewsView* takePagesWindow();
    void recordPagesMaterial(const std::optional<MaterialRecord>& material);
    void activate(QWidget* window);

    QMdiArea& m_area;
    DocumentFactory& m_factory;
    MaterialPanes& m_panes;
    Prompter& m_prompter;
    QString m_emptyPage;
    std::function<void(DocumentWindow*)> m_show;
    QMap<Key, DocumentWindow*> m_windows;
    QMap<Key, MaterialRecord> m_records;
    QPointer<CHtmlViewsView> m_pagesWindow;
    std::optional<MaterialRecord> m_pagesMaterial; // recorded as open in it
    bool m_previewShown = false;
    bool m_previewAvailable = true;
};
