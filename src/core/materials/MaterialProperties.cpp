#include "MaterialProperties.h"

#include "KeywordMerge.h"
#include "MaterialLookup.h"
#include "MaterialService.h"

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

MaterialProperties::MaterialProperties(MaterialService& service, const CurrentKnowledgeBase& base,
                                       QObject* parent)
    : QObject(parent), m_service(service), m_base(base) {}

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
    const std::optional<qint64> id = keywordOwner();
    m_stored = id ? m_service.keywords(*id).value_or(QStringList()) : QStringList();
    m_keywords = m_stored;
}

std::optional<qint64> MaterialProperties::keywordOwner() const {
    if (!m_material || !MaterialLookup::BelongsToOpenBase(*m_material, m_base))
        return std::nullopt;
    bool isNumber = false;
    const qint64 id = m_material->MinuItemID.toLongLong(&isNumber);
    return isNumber ? std::optional<qint64>(id) : std::nullopt;
}

bool MaterialProperties::showsKeywords() const {
    return keywordOwner().has_value();
}

bool MaterialProperties::shows(const MaterialRecord& material) const {
    return m_material && m_material->MinuItemID == material.MinuItemID &&
           m_material->KnowledgeBaseID == material.KnowledgeBaseID;
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
    using Result = MaterialService::RenameResult;
    switch (m_service.rename(*m_material, m_name)) {
    case Result::Renamed: // updateName has shown it
    case Result::OtherBase:
        return true;
    case Result::TooLong:
        return false;
    case Result::Unchanged:
        showStoredName();
        return true;
    case Result::Failed:
        showStoredName();
        return false;
    }
    return false;
}

void MaterialProperties::showStoredName() {
    if (m_name == m_material->MinuItemName)
        return;
    m_name = m_material->MinuItemName;
    Q_EMIT changed();
}

bool MaterialProperties::saveKeywords() {
    const std::optional<qint64> id = keywordOwner();
    if (!id)
        return true;
    const std::optional<QStringList> stored = m_service.setKeywords(*id, m_stored, m_keywords);
    if (!stored) {
        loadKeywords();
        Q_EMIT changed();
        return false;
    }
    m_stored = *stored;
    return true;
}

// Changes made through the service

void MaterialProperties::updateName(const MaterialRecord& material) {
    if (!shows(material))
        return;
    m_material->MinuItemName = material.MinuItemName;
    m_name = material.MinuItemName;
    Q_EMIT changed();
}

void MaterialProperties::showAgain(const MaterialRecord& material) {
    if (shows(material))
        show(material);
}

void MaterialProperties::updateKeywords(qint64 materialId, const QStringList& keywords) {
    if (keywordOwner() != materialId)
        return;
    m_stored = keywords;
    // A save from here leaves the rows as they were typed, blanks and all.
    if (KeywordMerge::Cleaned(m_keywords) == keywords)
        return;
    m_keywords = keywords;
    Q_EMIT changed();
}
