#include "UrlGroups.h"

#include "Prompter.h"
#include "TimeText.h"
#include "config/LeadingInt.h"
#include "config/SettingsFileUpdate.h"

#include <algorithm>

const QString UrlGroups::kAllUrls = QStringLiteral("全部网址");
const QString UrlGroups::kUnclassified = QStringLiteral("未分类网址");

namespace {

const QString kError = QStringLiteral("错误");
const QString kNotice = QStringLiteral("提示");

const UrlGroup* groupNamed(const UrlLists& lists, const QString& name) {
    const auto found = std::find_if(lists.groups.begin(), lists.groups.end(),
                                    [&](const UrlGroup& g) { return g.Name == name; });
    return found == lists.groups.end() ? nullptr : &*found;
}

// Group ids are read as numbers and written again, so a group whose id text
// is "03" holds the entries filed under "3".
int groupNumber(const UrlGroup& group) {
    return LeadingInt(group.ID);
}

// The group id an entry gets in the group chosen: "0" for the special names
// and for none chosen; nothing when no group has that name.
std::optional<QString> targetGroupId(const UrlLists& lists, const QString& groupName) {
    if (!UrlGroups::isRealGroup(groupName))
        return QStringLiteral("0");
    const UrlGroup* group = groupNamed(lists, groupName);
    if (!group)
        return std::nullopt;
    return QString::number(groupNumber(*group));
}

int largestId(const QList<UrlRecord>& entries) {
    int largest = 0;
    for (const UrlRecord& e : entries)
        largest = std::max(largest, LeadingInt(e.ID));
    return largest;
}

UrlRecord* entryWithId(UrlLists& lists, const QString& id) {
    const auto found = std::find_if(lists.entries.begin(), lists.entries.end(),
                                    [&](const UrlRecord& e) { return e.ID == id; });
    return found == lists.entries.end() ? nullptr : &*found;
}

QString entryText(const QString& typed) {
    return UrlConfigFile::FieldText(typed).trimmed();
}

} // namespace

UrlGroups::UrlGroups(const QString& file, Prompter& prompter)
    : m_file(file), m_prompter(prompter) {}

void UrlGroups::load() {
    m_lists = UrlConfigFile::Load(m_file);
    m_highestEntryId = largestId(m_lists.entries);
}

bool UrlGroups::isRealGroup(const QString& name) {
    return !name.isEmpty() && name != kAllUrls && name != kUnclassified;
}

QStringList UrlGroups::groupChoices() const {
    QStringList names{kAllUrls};
    for (const UrlGroup& g : m_lists.groups)
        names.append(g.Name);
    names.append(kUnclassified);
    return names;
}

QList<UrlRecord> UrlGroups::entriesShown(const QString& groupName) const {
    if (groupName.isEmpty() || groupName == kAllUrls)
        return m_lists.entries;
    QString groupId = QStringLiteral("0");
    if (groupName != kUnclassified) {
        const UrlGroup* group = groupNamed(m_lists, groupName);
        if (!group || groupNumber(*group) == 0)
            return {};
        groupId = QString::number(groupNumber(*group));
    }
    QList<UrlRecord> shown;
    for (const UrlRecord& e : m_lists.entries) {
        if (e.GroupID == groupId)
            shown.append(e);
    }
    return shown;
}

void UrlGroups::refuse(const Refusal& refusal) {
    m_prompter.message(refusal.text, refusal.caption, Prompter::Icon::Warning);
}

UrlGroups::EditResult UrlGroups::update(const Change& change) {
    std::optional<UrlLists> read;
    UrlLists changed;
    std::optional<Refusal> refusal;
    const auto apply = [&](const std::optional<QByteArray>& current) -> std::optional<QString> {
        read = current ? UrlConfigFile::FromBytes(*current) : UrlLists{};
        changed = *read;
        refusal = change(changed);
        if (refusal)
            return std::nullopt;
        return UrlConfigFile::Text(changed);
    };
    const SettingsFileUpdate::Result written = SettingsFileUpdate::Apply(m_file, apply);
    if (written == SettingsFileUpdate::Result::Written)
        m_lists = changed;
    else if (read)
        m_lists = *read;
    // An id this run has seen is not given again in this run, also when
    // another process handed it out and it has been deleted since.
    m_highestEntryId = std::max(m_highestEntryId, largestId(m_lists.entries));
    switch (written) {
    case SettingsFileUpdate::Result::Written:
        return EditResult::Saved;
    case SettingsFileUpdate::Result::Unchanged:
        refuse(*refusal);
        return refusal->result;
    case SettingsFileUpdate::Result::FolderNotMade:
    case SettingsFileUpdate::Result::FileNotWritten:
        m_prompter.error(SettingsFileUpdate::NotWrittenText(m_file));
        break;
    case SettingsFileUpdate::Result::Busy:
        m_prompter.error(SettingsFileUpdate::BusyText(m_file));
        break;
    }
    return EditResult::Incomplete;
}

std::optional<UrlGroups::TypedEntry> UrlGroups::typedEntry(const QString& title,
                                                           const QString& address) {
    const QString t = entryText(title);
    QString a = entryText(address);
    if (t.isEmpty()) {
        refuse({QStringLiteral("请填写网址名!"), kError});
        return std::nullopt;
    }
    if (a.isEmpty()) {
        refuse({QStringLiteral("请填写URL!"), kError});
        return std::nullopt;
    }
    if (a.endsWith(QLatin1Char('/')))
        a.chop(1);
    return TypedEntry{t, a};
}

UrlGroups::EditResult UrlGroups::addEntry(const QString& groupName, const QString& title,
                                          const QString& address) {
    const std::optional<TypedEntry> typed = typedEntry(title, address);
    if (!typed)
        return EditResult::Incomplete;
    return update([&](UrlLists& lists) -> std::optional<Refusal> {
        const std::optional<QString> groupId = targetGroupId(lists, groupName);
        if (!groupId)
            return Refusal{QStringLiteral("无法获取网页地址组!"), kError, EditResult::Incomplete};
        for (const UrlRecord& e : std::as_const(lists.entries)) {
            if (e.Address == typed->address)
                return Refusal{QStringLiteral("当前网址已经存在,不能再添加!"), kNotice};
        }
        // Another process may have handed out ids beyond this run's.
        const int id = std::max(m_highestEntryId, largestId(lists.entries)) + 1;
        lists.entries.append(
            {QString::number(id), *groupId, TimeText::now(), typed->title, typed->address});
        return std::nullopt;
    });
}

UrlGroups::EditResult UrlGroups::modifyEntry(const QString& id, const QString& title,
                                             const QString& address) {
    const std::optional<TypedEntry> typed = typedEntry(title, address);
    if (!typed)
        return EditResult::Incomplete;
    const Refusal invalid{QStringLiteral("无效的URL!"), QStringLiteral("修改错误"),
                          EditResult::Incomplete};
    if (id.isEmpty()) {
        refuse(invalid);
        return invalid.result;
    }
    return update([&](UrlLists& lists) -> std::optional<Refusal> {
        UrlRecord* entry = entryWithId(lists, id);
        // Deleted by another process meanwhile.
        if (!entry)
            return Refusal{invalid.text, invalid.caption};
        for (const UrlRecord& e : std::as_const(lists.entries)) {
            if (e.ID != id && e.Address == typed->address)
                return Refusal{QStringLiteral("您输入的网址已经存在,不能修改!"), kNotice};
        }
        entry->Title = typed->title;
        entry->Address = typed->address;
        return std::nullopt;
    });
}

bool UrlGroups::deleteEntry(const QString& id) {
    dropCut();
    return update([&](UrlLists& lists) -> std::optional<Refusal> {
               lists.entries.removeIf([&](const UrlRecord& e) { return e.ID == id; });
               return std::nullopt;
           }) == EditResult::Saved;
}

bool UrlGroups::paste(const QString& groupName) {
    if (!m_cut) {
        refuse({QStringLiteral("请首先选择剪切的网址!"), kNotice});
        return false;
    }
    const UrlRecord cutEntry = *m_cut;
    bool cutGone = false;
    const EditResult result = update([&](UrlLists& lists) -> std::optional<Refusal> {
        const std::optional<QString> groupId = targetGroupId(lists, groupName);
        if (!groupId)
            return Refusal{QStringLiteral("网站群数据错误!"), kError};
        if (*groupId == cutEntry.GroupID)
            return Refusal{QStringLiteral("请选择其他网址群进行粘贴!"), kNotice};
        UrlRecord* entry = entryWithId(lists, cutEntry.ID);
        // Deleted by another process since it was cut: nothing is left to move.
        if (!entry) {
            cutGone = true;
            return Refusal{QStringLiteral("请首先选择剪切的网址!"), kNotice};
        }
        entry->GroupID = *groupId;
        return std::nullopt;
    });
    if (result == EditResult::Saved || cutGone)
        dropCut();
    return result == EditResult::Saved;
}

std::optional<UrlGroups::Refusal> UrlGroups::refuseNewGroupName(const QString& name) const {
    if (!isRealGroup(name))
        return Refusal{QStringLiteral("请输入其它网址组名!"), kNotice};
    return std::nullopt;
}

bool UrlGroups::addGroup() {
    const std::optional<QString> typed = m_prompter.askText(QStringLiteral("添加新网址组"));
    if (!typed)
        return false;
    const QString name = entryText(*typed);
    if (name.isEmpty()) {
        refuse({QStringLiteral("网址名不能为空!"), kNotice});
        return false;
    }
    if (const auto refusal = refuseNewGroupName(name)) {
        refuse(*refusal);
        return false;
    }
    return update([&](UrlLists& lists) -> std::optional<Refusal> {
               if (groupNamed(lists, name))
                   return Refusal{QStringLiteral("该网址组名已经存在,不能添加!"), kError};
               int largest = 0;
               for (const UrlGroup& g : std::as_const(lists.groups))
                   largest = std::max(largest, groupNumber(g));
               lists.groups.append({QString::number(largest + 1), name});
               return std::nullopt;
           }) == EditResult::Saved;
}

bool UrlGroups::deleteGroup(const QString& groupName) {
    if (!isRealGroup(groupName)) {
        refuse({QStringLiteral("该网址组不允许被删除!"), kError});
        return false;
    }
    const Refusal invalid{QStringLiteral("删除无效的网址组!"), kError};
    const UrlGroup* shown = groupNamed(m_lists, groupName);
    if (!shown || groupNumber(*shown) == 0) {
        refuse(invalid);
        return false;
    }
    if (m_prompter.message(QStringLiteral("点击确定后，当前网址组下的所有网址将被删除，确定吗?"),
                           QStringLiteral("警告"), Prompter::Icon::Question,
                           Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return false;
    return update([&](UrlLists& lists) -> std::optional<Refusal> {
               const UrlGroup* group = groupNamed(lists, groupName);
               const int number = group ? groupNumber(*group) : 0;
               if (number == 0)
                   return invalid;
               const QString groupId = QString::number(number);
               lists.groups.removeIf([&](const UrlGroup& g) { return groupNumber(g) == number; });
               lists.entries.removeIf([&](const UrlRecord& e) { return e.GroupID == groupId; });
               return std::nullopt;
           }) == EditResult::Saved;
}

std::optional<QString> UrlGroups::renameGroup(const QString& groupName) {
    const std::optional<QString> typed = m_prompter.askText(QStringLiteral("请输入新的网址组名"));
    if (!typed)
        return std::nullopt;
    const QString name = entryText(*typed);
    if (name.isEmpty()) {
        refuse({QStringLiteral("网址组名不能为空!"), kNotice});
        return std::nullopt;
    }
    if (name == groupName)
        return std::nullopt;
    // A group named like a special one, or like another group, could never
    // be chosen again: the same checks as for a new group.
    if (const auto refusal = refuseNewGroupName(name)) {
        refuse(*refusal);
        return std::nullopt;
    }
    const EditResult result = update([&](UrlLists& lists) -> std::optional<Refusal> {
        if (groupNamed(lists, name))
            return Refusal{QStringLiteral("该网址组名已经存在,不能添加!"), kError};
        const auto group = std::find_if(lists.groups.begin(), lists.groups.end(),
                                        [&](const UrlGroup& g) { return g.Name == groupName; });
        if (group == lists.groups.end())
            return Refusal{QStringLiteral("网站群数据错误!"), kError};
        group->Name = name;
        return std::nullopt;
    });
    if (result != EditResult::Saved)
        return std::nullopt;
    return name;
}
