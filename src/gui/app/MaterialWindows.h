#pragma once

#include "store/MaterialRecord.h"

#include <QMap>
#include <QObject>
#include <QPair>
#include <functional>

class DocumentFactory;
class DocumentWindow;
class MaterialPanes;
class Prompter;
class QMdiArea;

// The document window of each open material, by base id and material id,
// kept in step with the list of open materials.
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

private:
    using Key = QPair<QString, QString>;
    static Key keyOf(const MaterialRecord& material) {
        return qMakePair(material.KnowledgeBaseID, material.MinuItemID);
    }
    DocumentWindow* windowFor(const MaterialRecord& material);
    void track(DocumentWindow* window, const MaterialRecord& material);
    void forget(const Key& key, const MaterialRecord& material);

    QMdiArea& m_area;
    DocumentFactory& m_factory;
    MaterialPanes& m_panes;
    Prompter& m_prompter;
    QString m_emptyPage;
    std::function<void(DocumentWindow*)> m_show;
    QMap<Key, DocumentWindow*> m_windows;
};
