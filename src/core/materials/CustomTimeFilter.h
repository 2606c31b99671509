#pragma once

#include <QDateTime>
#include <QString>
#include <utility>

class Profile;
class Prompter;

// The custom time filter of the material list: two counts back from now in
// one unit (1 day, 2 week, 3 month, 4 year), kept in the profile's section
// "Settings" as "BeginEditIt", "EndEditIt" and "SelectItemIt"; -1 means no
// bound. The dialog "自定义时间过滤" only collects the numbers.
class CustomTimeFilter {
public:
    struct Values {
        int begin = -1; // the larger count: the start date
        int end = -1;   // the smaller count: the end date
        int unit = 1;
        bool operator==(const Values&) const = default;
    };

    static Values Read(const Profile& profile);

    // The largest count the unit allows (73050 days, 10500 weeks, 2400
    // months, 200 years); 0 for no unit.
    static int MaximumOf(int unit);
    // The dialog's hint for the unit, "提示：最大值73050,-1表示不限时间".
    static QString HintOf(int unit);

    // The dialog's OK with the two numbers in either order: checks them and
    // writes the profile. False after a message; the dialog stays open.
    static bool Accept(int unit, int first, int second, Profile& profile, Prompter& prompter);

    // The "from" and "to" dates of the values as of now ("" for no bound).
    static std::pair<QString, QString> Bounds(const Values& values, const QDateTime& now);
};
