#pragma once

#include "RtfKeyword.h"
#include "RtfRowDefinition.h"

#include <QString>
#include <QStringList>

class RtfDocumentBuilder;
class RtfGroupKeeper;
struct RtfGroupState;

// The table words of RTF for the parser: row definitions, the ends of cells
// and rows, and what the editor cannot keep of tables (nested tables, merged
// cells), which it adds to the kinds not kept.
class RtfTableReader {
public:
    // The row definition is shared by the whole document: changes to it are
    // told to the keeper.
    RtfTableReader(RtfDocumentBuilder& builder, QStringList& unkept, RtfGroupKeeper& keeper)
        : m_builder(builder), m_unkept(unkept), m_keeper(keeper) {}

    // What is left for the parser to do after a word.
    enum class Effect { NotATableWord, Done, AppendTab, EndParagraph };

    // marker: the paragraph's list marker, used and cleared when a cell ends.
    Effect apply(RtfKeyword keyword, int param, RtfGroupState& state, QString& marker);

    // Before content of the text: into the table or out of it, as the
    // paragraph says.
    void place(const RtfGroupState& state);

private:
    RtfDocumentBuilder& m_builder;
    QStringList& m_unkept;
    RtfGroupKeeper& m_keeper;
    RtfRowDefinition m_row;
};
