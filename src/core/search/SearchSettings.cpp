#include "SearchSettings.h"

#include "Prompter.h"
#include "config/ConfigFileReader.h"
#include "config/ConfigFileWriter.h"
#include "config/LeadingInt.h"
#include "config/ProgramPaths.h"

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
    SearchSettings settings;
    ConfigFileReader reader;
    reader.Load(path);
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

bool SearchSettings::Save(const ProgramPaths& paths, Prompter& prompter) const {
    switch (ConfigFileWriter::Write(paths.searchConfigFile(), Text())) {
    case ConfigFileWriter::Result::Written:
        return true;
    case ConfigFileWriter::Result::FolderNotMade:
        prompter.error(QStringLiteral("创建%1文件夹出错,请手动创建该文件夹，并设置为可写状态!")
                           .arg(paths.configFolder()));
        return false;
    case ConfigFileWriter::Result::FileNotWritten:
        prompter.error(
            QStringLiteral("无法写入文件 '%1'，所做的更改没有保存!").arg(paths.searchConfigFile()));
        return false;
    }
    return false;
}
