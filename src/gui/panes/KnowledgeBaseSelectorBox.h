#pragma once

#include <QComboBox>

class KnowledgeBaseSelector;

// The drop-down above the category tree. It only shows the core's selector;
// what a pick means (reload question, switch, failure) is decided by the
// core, so the box hands the text on and is refreshed afterwards.
class KnowledgeBaseSelectorBox : public QComboBox {
    Q_OBJECT
public:
    explicit KnowledgeBaseSelectorBox(const KnowledgeBaseSelector& selector,
                                      QWidget* parent = nullptr);

    // Takes the selector's entries again and shows its chosen entry, or none.
    void refresh();

Q_SIGNALS:
    // Also for the entry already shown: picking it again asks for a reload.
    void entryPicked(const QString& entry);

private:
    const KnowledgeBaseSelector& m_selector;
};
