#include "SearchFileTypePage.h"

#include "Prompter.h"
#include "config/ResourceConfig.h"

#include <algorithm>

namespace {

template <typename Record, typename Id, typename Text>
auto sortedRows(const QList<Record>& records, Id id, Text text) {
    struct Row {
        int id;
        QString text;
    };
    QList<Row> rows;
    for (const Record& r : records)
        rows.append({id(r), text(r)});
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        const int c = QString::compare(a.text, b.text, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.text < b.text;
    });
    return rows;
}

template <typename Record, typename Id> int nextId(const QList<Record>& records, Id id) {
    int highest = 0;
    for (const Record& r : records)
        highest = std::max(highest, id(r));
    return highest + 1;
}

} // namespace

SearchFileTypePage::SearchFileTypePage(ResourceConfigData& config, Prompter& prompter)
    : m_config(config), m_prompter(prompter) {
    for (const auto& r : sortedRows(
             config.SearchGroups, [](const SearchGroupRecord& g) { return g.GroupID; },
             [](const SearchGroupRecord& g) { return g.Name; }))
        m_groups.append({r.id, r.text});
    for (const auto& r : sortedRows(
             config.SearchAllFiles, [](const TypePatternRecord& t) { return t.TypeID; },
             [](const TypePatternRecord& t) { return t.Pattern; }))
        m_types.append({r.id, r.text});
}

QStringList SearchFileTypePage::GroupNames() const {
    QStringList names;
    for (const Row& r : m_groups)
        names.append(r.text);
    return names;
}

QStringList SearchFileTypePage::TypePatterns() const {
    QStringList patterns;
    for (const Row& r : m_types)
        patterns.append(r.text);
    return patterns;
}

void SearchFileTypePage::SelectGroup(int row) {
    m_selectedGroup = row >= 0 && row < m_groups.size() ? row : -1;
}

void SearchFileTypePage::SelectType(int row) {
    m_selectedType = row >= 0 && row < m_types.size() ? row : -1;
}

bool SearchFileTypePage::isMember(int typeId, int groupId) const {
    return std::any_of(
        m_config.SearchFiles.cbegin(), m_config.SearchFiles.cend(),
        [&](const SearchFileRecord& r) { return r.TypeID == typeId && r.GroupID == groupId; });
}

bool SearchFileTypePage::IsTypeChecked(int row) const {
    if (m_selectedGroup == -1 || row < 0 || row >= m_types.size())
        return false;
    return isMember(m_types.at(row).id, m_groups.at(m_selectedGroup).id);
}

void SearchFileTypePage::SetTypeChecked(int row, bool checked) {
    if (m_selectedGroup == -1 || row < 0 || row >= m_types.size())
        return;
    const int typeId = m_types.at(row).id;
    const int groupId = m_groups.at(m_selectedGroup).id;
    if (checked == isMember(typeId, groupId))
        return;
    if (checked)
        m_config.SearchFiles.append({typeId, groupId});
    else
        m_config.SearchFiles.removeIf(
            [&](const SearchFileRecord& r) { return r.TypeID == typeId && r.GroupID == groupId; });
    m_configChanged = true;
}

std::optional<QString> SearchFileTypePage::ask(const QString& title, const QString& initial) {
    std::optional<QString> typed = m_prompter.askText(title, initial);
    if (!typed)
        return std::nullopt;
    QString text = *typed;
    text.remove(QLatin1Char('|')).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

int SearchFileTypePage::rowOf(const QList<Row>& rows, const QString& text, int exceptRow) {
    for (int i = 0; i < rows.size(); ++i) {
        if (i != exceptRow && rows.at(i).text == text)
            return i;
    }
    return -1;
}

int SearchFileTypePage::afterRemoval(int removed, int remaining) {
    if (remaining == 0)
        return -1;
    return std::min(removed, remaining - 1);
}

bool SearchFileTypePage::AddGroup() {
    const std::optional<QString> name = ask(QStringLiteral("新增查询文件类型组"), {});
    if (!name)
        return false;
    if (rowOf(m_groups, *name) != -1) {
        m_prompter.notice(QStringLiteral("查询文件类型组名重复，请重新添加!"));
        return false;
    }
    const int id =
        nextId(m_config.SearchGroups, [](const SearchGroupRecord& g) { return g.GroupID; });
    m_config.SearchGroups.append({id, *name});
    m_groups.append({id, *name});
    m_selectedGroup = int(m_groups.size()) - 1;
    m_configChanged = m_groupsChanged = true;
    return true;
}

bool SearchFileTypePage::ModifyGroup() {
    if (m_selectedGroup == -1)
        return false;
    Row& row = m_groups[m_selectedGroup];
    const std::optional<QString> name = ask(QStringLiteral("修改查询文件类型"), row.text);
    if (!name || *name == row.text)
        return false;
    if (rowOf(m_groups, *name, m_selectedGroup) != -1) {
        m_prompter.notice(QStringLiteral("查询文件类型组名重复，请重新添加!"));
        return false;
    }
    for (SearchGroupRecord& g : m_config.SearchGroups) {
        if (g.GroupID == row.id)
            g.Name = *name;
    }
    row.text = *name;
    m_configChanged = m_groupsChanged = true;
    return true;
}

bool SearchFileTypePage::DeleteGroup() {
    if (m_selectedGroup == -1)
        return false;
    const Row row = m_groups.at(m_selectedGroup);
    if (m_prompter.message(QStringLiteral("确定删除查询组 '%1' 文件类型吗?").arg(row.text),
                           QStringLiteral("提示"), Prompter::Icon::Question,
                           Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
        return false;
    // The types stay, in no group or in others.
    m_config.SearchGroups.removeIf([&](const SearchGroupRecord& g) { return g.GroupID == row.id; });
    m_config.SearchFiles.removeIf([&](const SearchFileRecord& r) { return r.GroupID == row.id; });
    m_groups.removeAt(m_selectedGroup);
    m_selectedGroup = afterRemoval(m_selectedGroup, int(m_groups.size()));
    m_configChanged = m_groupsChanged = true;
    return true;
}

bool SearchFileTypePage::AddType() {
    const std::optional<QString> pattern = ask(QStringLiteral("新增查询文件类型"), {});
    if (!pattern)
        return false;
    if (!pattern->startsWith(QLatin1String("*."))) {
        m_prompter.error(QStringLiteral("查询文件类型%1不符合*.*规范,不能添加!").arg(*pattern));
        return false;
    }
    if (rowOf(m_types, *pattern) != -1) {
        m_prompter.error(QStringLiteral("文件类型 '%1' 已存在,不能添加!").arg(*pattern));
        return false;
    }
    const int id =
        nextId(m_config.SearchAllFiles, [](const TypePatternRecord& t) { return t.TypeID; });
    m_config.SearchAllFiles.append({id, *pattern});
    m_types.append({id, *pattern});
    m_selectedType = int(m_types.size()) - 1;
    m_configChanged = true;
    return true;
}

bool SearchFileTypePage::ModifyType() {
    if (m_selectedType == -1)
        return false;
    Row& row = m_types[m_selectedType];
    const std::optional<QString> pattern = ask(QStringLiteral("修改搜索文件类型"), row.text);
    if (!pattern || *pattern == row.text)
        return false;
    if (rowOf(m_types, *pattern, m_selectedType) != -1) {
        m_prompter.error(QStringLiteral("文件类型 '%1' 已存在,不能修改为该类型!").arg(*pattern));
        return false;
    }
    // The id stays, and with it the groups the type belongs to.
    for (TypePatternRecord& t : m_config.SearchAllFiles) {
        if (t.TypeID == row.id)
            t.Pattern = *pattern;
    }
    row.text = *pattern;
    m_configChanged = true;
    return true;
}

bool SearchFileTypePage::DeleteType() {
    if (m_selectedType == -1)
        return false;
    const Row row = m_types.at(m_selectedType);
    if (m_prompter.message(QStringLiteral("确定删除查询文件 '%1' 类型吗?").arg(row.text),
                           QStringLiteral("提示"), Prompter::Icon::Question,
                           Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
        return false;
    // A membership of a group the file no longer lists holds nothing back:
    // no group could ever be chosen to take the check mark off.
    const bool used = std::any_of(m_groups.cbegin(), m_groups.cend(),
                                  [&](const Row& group) { return isMember(row.id, group.id); });
    if (used) {
        m_prompter.notice(QStringLiteral("该类型正在被使用，不能删除!"));
        return false;
    }
    m_config.SearchAllFiles.removeIf(
        [&](const TypePatternRecord& t) { return t.TypeID == row.id; });
    m_config.SearchFiles.removeIf([&](const SearchFileRecord& r) { return r.TypeID == row.id; });
    m_types.removeAt(m_selectedType);
    m_selectedType = afterRemoval(m_selectedType, int(m_types.size()));
    m_configChanged = true;
    return true;
}
