#include "DockStationFile.h"

#include "Prompter.h"
#include "config/ConfigFileReader.h"
#include "config/ProgramPaths.h"
#include "config/SettingsFileUpdate.h"

#include <optional>

namespace {

const QString kSection = QStringLiteral("GOTOMINUITEM");
const QString kKey = QStringLiteral("GotoMinuItemData");

QList<DockEntry> entriesOf(const ConfigFileReader& reader) {
    QStringList values;
    reader.GetValues(kSection, kKey, values);
    QList<DockEntry> entries;
    for (const QString& value : values) {
        if (!value.isEmpty())
            entries.append(DockEntry::FromFileValue(value));
    }
    return entries;
}

} // namespace

DockStationFile::DockStationFile(const ProgramPaths& paths, Prompter& prompter)
    : m_file(paths.dockStationFile()), m_configFolder(paths.configFolder()), m_prompter(prompter) {}

void DockStationFile::load() {
    ConfigFileReader reader;
    reader.Load(m_file);
    m_entries = entriesOf(reader);
}

bool DockStationFile::contains(const QString& materialId, const QString& baseId) const {
    for (const DockEntry& entry : m_entries) {
        if (entry.IsMaterial(materialId, baseId))
            return true;
    }
    return false;
}

QString DockStationFile::FileText(const QList<DockEntry>& entries) {
    QString text = QLatin1Char('[') + kSection + QLatin1String("]\n");
    for (const DockEntry& entry : entries)
        text += kKey + QLatin1Char('=') + entry.FileValue() + QLatin1Char('\n');
    return text;
}

bool DockStationFile::update(const std::function<bool(QList<DockEntry>&)>& change) {
    std::optional<QList<DockEntry>> result;
    const auto apply = [&](const std::optional<QByteArray>& current) -> std::optional<QString> {
        ConfigFileReader reader;
        if (current)
            reader.LoadBytes(*current);
        QList<DockEntry> entries = entriesOf(reader);
        const bool changed = change(entries);
        result = entries;
        if (!changed)
            return std::nullopt;
        return FileText(entries);
    };
    const auto failed = [&](const QString& text, bool notice) {
        if (notice)
            m_prompter.notice(text);
        else
            m_prompter.error(text);
        // The change stays for this run, as it always did when the file
        // could not take it.
        change(m_entries);
        return false;
    };
    switch (SettingsFileUpdate::Apply(m_file, apply)) {
    case SettingsFileUpdate::Result::Written:
    case SettingsFileUpdate::Result::Unchanged:
        m_entries = *result;
        return true;
    case SettingsFileUpdate::Result::FolderNotMade:
        return failed(QStringLiteral("创建%1文件夹出错").arg(m_configFolder), true);
    case SettingsFileUpdate::Result::FileNotWritten:
        return failed(SettingsFileUpdate::NotWrittenText(m_file), false);
    case SettingsFileUpdate::Result::Busy:
        return failed(SettingsFileUpdate::BusyText(m_file), false);
    }
    return false;
}

bool DockStationFile::add(const MaterialRecord& material, const QString& dockTime) {
    DockEntry entry;
    entry.Material = material;
    entry.Material.NetworkMark = QStringLiteral("0");
    entry.DockTime = dockTime;
    return update([&](QList<DockEntry>& entries) {
        for (const DockEntry& e : std::as_const(entries)) {
            if (e.IsMaterial(material.MinuItemID, material.KnowledgeBaseID))
                return false;
        }
        entries.append(entry);
        return true;
    });
}

bool DockStationFile::removeWhere(const std::function<bool(const DockEntry&)>& matches) {
    return update([&](QList<DockEntry>& entries) { return entries.removeIf(matches) > 0; });
}

bool DockStationFile::remove(const QString& materialId, const QString& baseId) {
    return removeWhere([&](const DockEntry& e) { return e.IsMaterial(materialId, baseId); });
}

bool DockStationFile::removeBase(const QString& baseId) {
    return removeWhere([&](const DockEntry& e) { return e.Material.KnowledgeBaseID == baseId; });
}

bool DockStationFile::save() {
    const QList<DockEntry> kept = m_entries;
    return update([&](QList<DockEntry>& current) {
        current = kept;
        return true;
    });
}
