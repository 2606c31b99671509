#include "SearchSettings.h"

#include "Prompter.h"
#include "config/ConfigFileReader.h"
#include "config/LeadingInt.h"
#include "config/ProgramPaths.h"
#include "config/SettingsFileUpdate.h"

#include <array>
#include <utility>

namespace {

using Flag = int SearchSettings::*;

// File order.
constexpr std::array<std::pair<const char*, Flag>, 11> kKeys{{
    {"SearchFromNameFlag", &SearchSettings::SearchFromNameFlag},
    {"SearchFromContentFlag", &SearchSettings::SearchFromContentFlag},
    {"SearchFromFileFlag", &SearchSettings::SearchFromFileFlag},
    {"OnlyShowFolderFlag", &SearchSettings::OnlyShowFolderFlag},
    {"SearchFromTimeFlag", &SearchSettings::SearchFromTimeFlag},
    {"ShowResult1", &SearchSettings::ShowResult1},
    {"ShowResult2", &SearchSettings::ShowResult2},
    {"UpperLowerFlag", &SearchSettings::UpperLowerFlag},
    {"WildCardFlag", &SearchSettings::WildCardFlag},
    {"AllFixFlag", &SearchSettings::AllFixFlag},
    {"FileHideFlag", &SearchSettings::FileHideFlag},
}};

const QString kSection = QStringLiteral("SEARCHSETTING");

} // namespace

SearchSettings SearchSettings::Load(const QString& path) {
    ConfigFileReader reader;
    reader.Load(path);
    return FromText(reader);
}

SearchSettings SearchSettings::FromText(const ConfigFileReader& reader) {
    SearchSettings settings;
    QStringList values;
    for (const auto& [key, flag] : kKeys) {
        reader.GetValues(kSection, QLatin1String(key), values);
        if (values.size() == 1)
            settings.*flag = LeadingInt(ConfigFileReader::Field(values.first(), 0)) > 0 ? 1 : 0;
    }
    return settings;
}

QString SearchSettings::Text() const {
    QString text = QLatin1Char('[') + kSection + QLatin1String("]\n");
    for (const auto& [key, flag] : kKeys)
        text += QLatin1String(key) + QLatin1Char('=') + QString::number(this->*flag) +
                QLatin1String("|\n");
    return text;
}

bool SearchSettings::Save(const ProgramPaths& paths, Prompter& prompter,
                          const SearchSettings* loaded) const {
    const QString file = paths.searchConfigFile();
    const auto apply = [&](const std::optional<QByteArray>& current) -> std::optional<QString> {
        if (!loaded)
            return Text();
        ConfigFileReader reader;
        if (current)
            reader.LoadBytes(*current);
        SearchSettings merged = FromText(reader);
        for (const auto& [key, flag] : kKeys) {
            if (this->*flag != loaded->*flag)
                merged.*flag = this->*flag;
        }
        return merged.Text();
    };
    switch (SettingsFileUpdate::Apply(file, apply)) {
    case SettingsFileUpdate::Result::Written:
    case SettingsFileUpdate::Result::Unchanged:
        return true;
    case SettingsFileUpdate::Result::FolderNotMade:
        prompter.error(QStringLiteral("创建%1文件夹出错,请手动创建该文件夹，并设置为可写状态!")
                           .arg(paths.configFolder()));
        return false;
    case SettingsFileUpdate::Result::FileNotWritten:
        prompter.error(SettingsFileUpdate::NotWrittenText(file));
        return false;
    case SettingsFileUpdate::Result::Busy:
        prompter.error(SettingsFileUpdate::BusyText(file));
        return false;
    }
    return false;
}
