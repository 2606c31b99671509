#pragma once

#include <QString>

class CategoryTreeModel;
class MaterialPanes;
class RecycleBinModel;

// What a switch of the open base asks of the panes. The core has already
// closed the old connection and, when the outcome is Opened, opened the new
// one; the panes still show the old base until they follow:
//
//   Cancelled   nothing changes.
//   NotOpened   every pane that shows the open base's content empties itself
//               (tree with its cut item, material list, properties, recycle
//               bin); no base is open.
//   Opened      the same, then the tree fills, the material list shows every
//               material of the base, and the recycle bin loads.
//
// In the last two cases the toolbar's type selector is rebuilt from
// Workspace::typeSelectorItems(). applyTo does all of it for the core models.
class BaseSwitch {
public:
    enum class Outcome { Cancelled, NotOpened, Opened };

    BaseSwitch() = default;
    BaseSwitch(Outcome outcome, const QString& entry) : m_outcome(outcome), m_entry(entry) {}

    Outcome outcome() const { return m_outcome; }
    bool clearsPanes() const { return m_outcome != Outcome::Cancelled; }
    bool fillsPanes() const { return m_outcome == Outcome::Opened; }
    bool rebuildsTypeSelector() const { return m_outcome != Outcome::Cancelled; }
    // The selector entry the switch worked from.
    const QString& entry() const { return m_entry; }

    // Empties and refills the models as above; `materials` may be null while
    // the window has no material panes.
    void applyTo(CategoryTreeModel& tree, RecycleBinModel& recycleBin,
                 MaterialPanes* materials) const;

private:
    Outcome m_outcome = Outcome::Cancelled;
    QString m_entry;
};
