#pragma once

#include "store/MaterialRecord.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <optional>

class MaterialService;
struct CurrentKnowledgeBase;

// The properties pane's content for the current material: its fields, its
// name and its search keywords, both editable and stored by Save through the
// material service, whose announcements it follows for the material shown.
// The pane shows rows() in a property grid and passes the edits back.
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

    MaterialProperties(MaterialService& service, const CurrentKnowledgeBase& base,
                       QObject* parent = nullptr);

    // Shows the material; the dock station passes the time it was docked.
    void show(const MaterialRecord& material, const QString& dockTime = {});
    void clear();
    bool hasMaterial() const { return m_material.has_value(); }
    // The material as stored (after a successful Save, with its new name).
    const MaterialRecord& material() const { return *m_material; }

    QList<Row> rows() const;
    // Keywords are shown and stored only for a material of the open base
    // (with an id the store can take).
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
    // changes. False after a message; the pane then shows what is stored,
    // or a name too long as typed, to be shortened.
    bool save();

public Q_SLOTS:
    // A material was renamed: the shown one shows its new name.
    void updateName(const MaterialRecord& material);
    // A material's description changed: the shown one shows anew.
    void showAgain(const MaterialRecord& material);
    // A material's keywords were stored: the shown one's keywords show,
    // unless they are the ones typed here.
    void updateKeywords(qint64 materialId, const QStringList& keywords);

Q_SIGNALS:
    // The rows changed: rebuild the grid.
    void changed();

private:
    bool shows(const MaterialRecord& material) const;
    std::optional<qint64> keywordOwner() const;
    bool saveName();
    void showStoredName();
    bool saveKeywords();
    void loadKeywords();

    MaterialService& m_service;
    const CurrentKnowledgeBase& m_base;
    std::optional<MaterialRecord> m_material;
    QString m_dockTime;
    QString m_name;
    QStringList m_keywords;
    QStringList m_stored;
};
