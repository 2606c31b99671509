#pragma once

#include "SearchRequest.h"
#include "SearchSettings.h"
#include "store/CurrentKnowledgeBase.h"

#include <QString>
#include <optional>

class Prompter;
class QueryHistory;
class SearchControl;

// What the search dialog holds when the user confirms it: its texts and
// its check boxes and radio buttons, which are also what its settings file
// keeps.
struct SearchDialogInput {
    QString ScopeText; // "name(010100)", from the category picker
    QString QueryText;
    QString FromDate; // "2009-03-01" or empty
    QString ToDate;
    QString FileTypes; // the file-type box's text
    SearchSettings Boxes;
};

// The search dialog's rules, so that the dialog only collects the input and
// shows what these say.
class SearchDialogRules {
public:
    // Which controls are enabled for the ticked boxes.
    struct Enabling {
        bool kbOptions = false;   // by name, by keyword, by creation time
        bool dates = false;       // the two date fields, their buttons and labels
        bool fileOptions = false; // file types, names only, case, wildcards, whole word, hidden
        bool tokenMenu = false;   // the button beside the query box
        bool operator==(const Enabling&) const = default;
    };
    static Enabling EnablingOf(const SearchSettings& boxes);

    // The checks of "查询全部(F)" in order, each refusal a notice after
    // which the dialog stays open: the request they make, or nothing.
    static std::optional<SearchRequest> Check(const SearchDialogInput& input, bool searching,
                                              Prompter& prompter);

    // The whole confirm: keeps the dates for the next opening, checks, starts
    // the search and records the query in the command bar's history. True
    // when the dialog closes.
    static bool Confirm(const SearchDialogInput& input, SearchControl& control,
                        const CurrentKnowledgeBase& base, QueryHistory& history,
                        Prompter& prompter);
};
