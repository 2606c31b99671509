#pragma once

#include <QString>

class ProgramPaths;
class Prompter;

// The check boxes and radio buttons of the search dialog, kept between runs
// in "ResourceConfig/SearchConfig.ini", section "SEARCHSETTING", one key
// each, 0 or 1. Members are in the order the file lists them and start at
// the defaults for a file that lacks them.
struct SearchSettings {
    int SearchFromNameFlag = 1;    // by material name
    int SearchFromContentFlag = 0; // by keyword
    int SearchFromFileFlag = 0;    // a file search
    int OnlyShowFolderFlag = 0;    // file names only
    int SearchFromTimeFlag = 0;    // by creation time
    int ShowResult1 = 1;
    int ShowResult2 = 0;
    int UpperLowerFlag = 0; // match case
    int WildCardFlag = 0;   // regular expression
    int AllFixFlag = 0;     // whole word
    int FileHideFlag = 0;   // include hidden files

    // A key with exactly one value turns its flag on when the value's first
    // field reads as a number above 0 and off otherwise; a missing or
    // repeated key keeps the default. A missing file gives the defaults.
    static SearchSettings Load(const QString& path);
    // The same from a file's text already read.
    static SearchSettings FromText(const class ConfigFileReader& reader);

    // The whole file, "\n" line ends, before encoding.
    QString Text() const;

    // Writes the settings file of the program folder. False after telling
    // the user, naming the folder or the file; the old file stays whole.
    // With `loaded` (what the dialog started from), only the flags changed
    // since then are written over what the file holds now, so a second
    // window's choices survive; without it all eleven are.
    bool Save(const ProgramPaths& paths, Prompter& prompter,
              const SearchSettings* loaded = nullptr) const;

    bool operator==(const SearchSettings&) const = default;
};
