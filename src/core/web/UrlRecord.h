#pragma once

#include <QString>

// A named group of web addresses the user keeps; "0" is never a group's id,
// because entries in no group carry it.
struct UrlGroup {
    QString ID;
    QString Name;

    bool operator==(const UrlGroup&) const = default;
};

// One kept web address, fields in the order "UserUrlConfig.ini" stores them.
struct UrlRecord {
    QString ID;
    QString GroupID; // "0": in no group (unclassified)
    QString TimeAdded;
    QString Title;
    QString Address;

    bool operator==(const UrlRecord&) const = default;
};
