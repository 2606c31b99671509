#pragma once

#include <QComboBox>
#include <functional>

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
    // A base that cannot be used now shows greyed, saying why on hover.
    void refresh();

    // Runs before the list drops down, then the entries are taken again: a
    // base another process registered shows without a restart.
    void setBeforePopup(std::function<void()> beforePopup) {
        m_beforePopup = std::move(beforePopup);
    }
    void showPopup() override;

Q_SIGNALS:
    // Also for the entry already shown: picking it again asks for a reload.
    void entryPicked(const QString& entry);

private:
    const KnowledgeBaseSelector& m_selector;
    std::function<void()> m_beforePopup;
};
