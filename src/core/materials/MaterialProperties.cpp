#include "MaterialProperties.h"

#include "KeywordMerge.h"
#include "MaterialLookup.h"
#include "MaterialName.h"
#include "Prompter.h"
#include "db/Transaction.h"
#include "store/KnowledgeStore.h"

#include <algorithm>

namespace {

const QString kFields = QStringLiteral("资料属性");
const QString kKeywords = QStringLiteral("查询关键字");

QString typeCaption(const QString& type) {
    if (type == QLatin1String("1"))
        return QStringLiteral("无");
    if (type == QLatin1String("0"))
        return QStringLiteral("RTF文件");
    return QStringLiteral("代码文件");
}

} // namespace

MaterialProperties::MaterialProperties(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                       Prompter& prompter, QObject* parent)
    : QObject(parent), m_store(store), m_base(base), m_prompter(prompter) {}

void MaterialProperties::show(const MaterialRecord& material, const QString& dockTime) {
    m_material = material;
    m_dockTime = dockTime;
    m_name = material.MinuItemName;
    loadKeywords();
    Q_EMIT changed();
}

void MaterialProperties::clear() {
    m_material.reset();
    m_dockTime.clear();
    m_name.clear();
    m_keywords.clear();
    m_stored.clear();
    Q_EMIT changed();
}

void MaterialProperties::loadKeywords() {
    m_stored.clear();
    if (showsKeywords())
        m_store.LoadKeywords(m_material->MinuItemID, m_stored);
    m_keywords = m_stored;
}

bool MaterialProperties::showsKeywords() const {
    return m_material && MaterialLookup::BelongsToOpenBase(*m_material, m_base);
}

QList<MaterialProperties::Row> MaterialProperties::rows() const {
    QList<Row> rows;
    if (!m_material)
        return rows;
    const MaterialRecord& m = *m_material;
    rows.append({kFields, QStringLiteral("名称"), m_name, false,
                 QStringLiteral("可直接修改名称编辑框内容,点击保存")});
    rows.append({kFields, QStringLiteral("编号"), m.MinuItemID, true, {}});
    rows.append({kFields, QStringLiteral("资料路径"), m.DisplayPath, true, {}});
    rows.append(
        {kFields, QStringLiteral("描述文件类型"), typeCaption(m.DescribeFileType), true, {}});
    if (!m_dockTime.isEmpty())
        rows.append({kFields, QStringLiteral("停靠时间"), m_dockTime, true, {}});
    rows.append({kFields, QStringLiteral("创建日期"), m.CreateTime, true, {}});
    if (showsKeywords()) {
        for (int i = 0; i < m_keywords.size(); ++i)
            rows.append(
                {kKeywords, QStringLiteral("关键字%1").arg(i + 1), m_keywords[i], false, {}});
    }
    return rows;
}

void MaterialProperties::setKeyword(int index, const QString& value) {
    if (index >= 0 && index < m_keywords.size())
        m_keywords[index] = value;
}

void MaterialProperties::setKeywords(const QStringList& values) {
    if (!showsKeywords())
        return;
    m_keywords = values;
    Q_EMIT changed();
}

int MaterialProperties::addKeyword() {
    if (!showsKeywords())
        return -1;
    m_keywords.append(QString());
    Q_EMIT changed();
    return int(m_keywords.size()) - 1;
}

bool MaterialProperties::deleteKeyword(int index) {
    if (!showsKeywords() || index < 0 || index >= m_keywords.size())
        return false;
    m_keywords.removeAt(index);
    std::sort(m_keywords.begin(), m_keywords.end());
    Q_EMIT changed();
    return true;
}

bool MaterialProperties::save() {
    if (!m_material)
        return false;
    return saveName() && saveKeywords();
}

bool MaterialProperties::saveName() {
    MaterialRecord& m = *m_material;
    // The name may end up in the dock station file and the list: the rules
    // of a new material's name hold here too.
    const QString name = MaterialName::Clean(m_name);
    if (name == m.MinuItemName) {
        if (m_name != name) {
            m_name = name;
            Q_EMIT changed();
        }
        return true;
    }
    if (name.isEmpty()) {
        m_name = m.MinuItemName;
        Q_EMIT changed();
        return true;
    }
    if (name.size() > MaterialName::kMaxLength) {
        m_prompter.notice(QStringLiteral("资料名太长!"));
        return false;
    }
    if (!showsKeywords()) // another base's material: nothing is stored for it
        return true;
    if (!m_store.RenameMaterial(m.MinuItemID, name)) {
        m_prompter.error(QStringLiteral("重命名资料 '%1' 失败!").arg(m.MinuItemName));
        m_name = m.MinuItemName;
        Q_EMIT changed();
        return false;
    }
    m.MinuItemName = name;
    m_name = name;
    Q_EMIT changed();
    Q_EMIT materialRenamed(m);
    return true;
}

bool MaterialProperties::saveKeywords() {
    if (!showsKeywords())
        return true;
    const QStringList edited = KeywordMerge::Cleaned(m_keywords);
    const KeywordMerge::Changes changes = KeywordMerge::Merge(m_stored, edited);
    if (changes.toInsert.isEmpty() && changes.toDelete.isEmpty()) {
        m_stored = edited;
        return true;
    }
    const QString& id = m_material->MinuItemID;
    bool ok = false;
    {
        Transaction transaction(m_store.database());
        ok = transaction.IsActive();
        for (const QString& keyword : changes.toInsert)
            ok = ok && m_store.InsertKeyword(id, keyword);
        ok = ok && m_store.DeleteKeywords(id, changes.toDelete) && transaction.Commit();
    }
    if (!ok) {
        m_prompter.error(QStringLiteral("保存查询关键字失败!"));
        loadKeywords();
        Q_EMIT changed();
        return false;
    }
    m_stored = edited;
    return true;
}
