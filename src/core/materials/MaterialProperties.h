#pragma once

#include "store/MaterialRecord.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <optional>

class KnowledgeStore;
class Prompter;
struct CurrentKnowledgeBase;

// The properties pane's content for the current material: its fields, its
// name and its search keywords, both editable and stored by Save. The pane
// shows rows() in a property grid and passes the edits back.
class MaterialProperties : public QObject {
    Q_OBJECT
public:
    struct Row {
        QString category; // "资料属性" or "查询关键字"
        QString caption;
        QString value;
        bool readOnly = true;
        QString description;
        bool operator==(const Row&) const = default;
    };

    MaterialProperties(KnowledgeStore& store, const CurrentKnowledgeBase& base, Prompter& prompter,
                       QObject* parent = nullptr);

    // Shows the material; the dock station passes the time it was docked.
    void show(const MaterialRecord& material, const QString& dockTime = {});
    void clear();
    bool hasMaterial() const { return m_material.has_value(); }
    // The material as stored (after a successful Save, with its new name).
    const MaterialRecord& material() const { return *m_material; }

    QList<Row> rows() const;
    // Keywords are shown and stored only for a material of the open base.
    bool showsKeywords() const;

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    const QStringList& keywords() const { return m_keywords; }
    const QStringList& storedKeywords() const { return m_stored; }
    void setKeyword(int index, const QString& value);
    void setKeywords(const QStringList& values);
    // Appends an empty keyword to type into; its index, or -1.
    int addKeyword();
    // Removes one; the rest are sorted and numbered again.
    bool deleteKeyword(int index);

    // Stores the edited name (cleaned as at creation) and the keyword
    // changes. False after a message; the pane then shows what is stored.
    bool save();

Q_SIGNALS:
    // The rows changed: rebuild the grid.
    void changed();
    void materialRenamed(const MaterialRecord& material);

private:
    bool saveName();
    bool saveKeywords();
    void loadKeywords();

    KnowledgeStore& m_store;
    const CurrentKnowledgeBase& m_base;
    Prompter& m_prompter;
    std::optional<MaterialRecord> m_material;
    QString m_dockTime;
    QString m_name;
    QStringList m_keywords;
    QStringList m_stored;
};
