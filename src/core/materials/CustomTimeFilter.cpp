#include "CustomTimeFilter.h"

#include "MaterialListFilter.h"
#include "Prompter.h"
#include "config/Profile.h"

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kBegin = QStringLiteral("BeginEditIt");
const QString kEnd = QStringLiteral("EndEditIt");
const QString kUnit = QStringLiteral("SelectItemIt");

QString boundOf(int count, int unit, const QDateTime& now) {
    if (count <= -1)
        return {};
    switch (unit) {
    case 2:
        return MaterialListFilter::DateBefore(now, qint64(count) * 604800);
    case 3:
        return MaterialListFilter::MonthsBack(count, now.date());
    case 4:
        return MaterialListFilter::YearsBack(count, now.date());
    default:
        return MaterialListFilter::DateBefore(now, qint64(count) * 86400);
    }
}

} // namespace

CustomTimeFilter::Values CustomTimeFilter::Read(const Profile& profile) {
    return {profile.intValue(kSection, kBegin, -1), profile.intValue(kSection, kEnd, -1),
            profile.intValue(kSection, kUnit, 1)};
}

int CustomTimeFilter::MaximumOf(int unit) {
    switch (unit) {
    case 1:
        return 73050;
    case 2:
        return 10500;
    case 3:
        return 2400;
    case 4:
        return 200;
    default:
        return 0;
    }
}

QString CustomTimeFilter::HintOf(int unit) {
    return QStringLiteral("提示：最大值%1,-1表示不限时间").arg(MaximumOf(unit));
}

bool CustomTimeFilter::Accept(int unit, int first, int second, Profile& profile,
                              Prompter& prompter) {
    if (MaximumOf(unit) == 0) {
        prompter.notice(QStringLiteral("选择有错!"));
        return false;
    }
    first = std::max(first, -1);
    second = std::max(second, -1);
    const int begin = std::max(first, second), end = std::min(first, second);
    if (begin > MaximumOf(unit)) {
        prompter.notice(QStringLiteral("请输入合理的时间范围!"));
        return false;
    }
    profile.setValue(kSection, kUnit, unit);
    profile.setValue(kSection, kBegin, begin);
    profile.setValue(kSection, kEnd, end);
    if (!profile.sync()) {
        prompter.error(
            QStringLiteral("无法写入文件 '%1'，所做的更改没有保存!").arg(profile.filePath()));
        return false;
    }
    return true;
}

std::pair<QString, QString> CustomTimeFilter::Bounds(const Values& values, const QDateTime& now) {
    return {boundOf(values.begin, values.unit, now), boundOf(values.end, values.unit, now)};
}
