#include "DescriptTypeChecklist.h"

#include "Prompter.h"
#include "Workspace.h"

#include <algorithm>

namespace {

// A "|" or a line break would split the type's record in the file.
QString patternOf(const QString& typed) {
    QString pattern = typed;
    pattern.remove(QLatin1Char('|')).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    return pattern.trimmed();
}

} // namespace

DescriptTypeChecklist::DescriptTypeChecklist(Workspace& workspace) : m_workspace(workspace) {
    for (const TypePatternRecord& type : std::as_const(workspace.config().DescriptAllFiles))
        m_entries.append({type.TypeID, type.Pattern});
}

QStringList DescriptTypeChecklist::patterns() const {
    QStringList list;
    for (const Entry& entry : m_entries)
        list.append(entry.pattern);
    return list;
}

int DescriptTypeChecklist::indexOf(const QString& pattern) const {
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).pattern == pattern)
            return i;
    }
    return -1;
}

bool DescriptTypeChecklist::isChecked(int index, int baseId) const {
    if (index < 0 || index >= count() || baseId == -1)
        return false;
    const int typeId = m_entries.at(index).typeId;
    const QList<DescriptFileRecord>& offered = m_workspace.config().DescriptFiles;
    return std::any_of(offered.cbegin(), offered.cend(), [&](const DescriptFileRecord& r) {
        return r.TypeID == typeId && r.BaseID == baseId;
    });
}

void DescriptTypeChecklist::select(int index) {
    m_selected = index >= 0 && index < count() ? index : -1;
}

bool DescriptTypeChecklist::setChecked(int index, int baseId, bool checked) {
    if (index < 0 || index >= count() || baseId == -1 || isChecked(index, baseId) == checked)
        return false;
    ResourceConfigData& config = m_workspace.config();
    if (checked)
        AddBaseType(config, m_entries.at(index).typeId, baseId);
    else
        RemoveBaseType(config, m_entries.at(index).typeId, baseId);
    return true;
}

bool DescriptTypeChecklist::Add(const QString& typed) {
    const QString pattern = patternOf(typed);
    Prompter& prompter = m_workspace.prompter();
    if (pattern != QLatin1String("HTML") && !pattern.startsWith(QLatin1String("*."))) {
        prompter.error(QStringLiteral("文件类型 '%1' 不符合 '*.*' 规范,添加失败!").arg(pattern));
        return false;
    }
    if (indexOf(pattern) >= 0) {
        prompter.error(QStringLiteral("文件类型 '%1' 已存在,添加失败!").arg(pattern));
        return false;
    }
    m_entries.append({AddDescriptType(m_workspace.config(), pattern), pattern});
    m_selected = count() - 1;
    return true;
}

bool DescriptTypeChecklist::Modify(const QString& typed) {
    if (m_selected < 0)
        return false;
    const QString pattern = patternOf(typed);
    // An empty type could never be chosen or typed again.
    if (pattern.isEmpty())
        return false;
    if (indexOf(pattern) >= 0) {
        m_workspace.prompter().error(
            QStringLiteral("文件类型 '%1' 已经存在,修改错误!").arg(pattern));
        return false;
    }
    Entry entry = m_entries.takeAt(m_selected);
    entry.pattern = pattern;
    for (TypePatternRecord& type : m_workspace.config().DescriptAllFiles) {
        if (type.TypeID == entry.typeId)
            type.Pattern = pattern;
    }
    m_entries.append(entry);
    m_selected = count() - 1;
    return true;
}

bool DescriptTypeChecklist::Delete() {
    if (m_selected < 0)
        return false;
    const Entry entry = m_entries.at(m_selected);
    Prompter& prompter = m_workspace.prompter();
    if (prompter.message(QStringLiteral("确定删除描述文件 '%1' 类型吗?").arg(entry.pattern),
                         QStringLiteral("警告"), Prompter::Icon::Question,
                         Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
        return false;
    ResourceConfigData& config = m_workspace.config();
    if (std::any_of(config.DescriptFiles.cbegin(), config.DescriptFiles.cend(),
                    [&](const DescriptFileRecord& r) { return r.TypeID == entry.typeId; })) {
        prompter.error(QStringLiteral("该类型正在被使用，删除失败!"));
        return false;
    }
    config.DescriptAllFiles.removeIf(
        [&](const TypePatternRecord& r) { return r.TypeID == entry.typeId; });
    m_entries.removeAt(m_selected);
    m_selected = std::min(m_selected, count() - 1);
    return true;
}
