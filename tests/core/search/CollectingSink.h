#pragma once

#include "search/FileSearchSink.h"

#include <QList>
#include <QStringList>
#include <functional>

// Keeps what a search reports; answers questions from a script (yes when
// nothing is scripted) and can run a hook on every row, e.g. to stop.
class CollectingSink : public FileSearchSink {
public:
    void AddRow(const FileSearchRow& row) override {
        rows.append(row);
        if (onRow)
            onRow(row);
    }
    void TotalsChanged(const FileSearchTotals& t) override { totals.append(t); }
    bool AskContinue(const QString& question) override {
        questions.append(question);
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    void Tell(const QString& text, const QString& caption) override {
        told.append(caption + QLatin1String(": ") + text);
    }

    QStringList texts(int level) const {
        QStringList out;
        for (const auto& row : rows)
            if (row.level == level)
                out.append(row.text);
        return out;
    }

    QList<FileSearchRow> rows;
    QList<FileSearchTotals> totals;
    QStringList questions;
    QList<bool> answers;
    QStringList told;
    std::function<void(const FileSearchRow&)> onRow;
};
