#include "RtfTableReader.h"

#include "RtfDocumentBuilder.h"
#include "RtfGroupKeeper.h"
#include "RtfGroupState.h"
#include "RtfUnkept.h"

void RtfTableReader::place(const RtfGroupState& state) {
    m_builder.placeInTable(state.paragraph.inTable, m_row.cells());
}

RtfTableReader::Effect RtfTableReader::apply(RtfKeyword keyword, int param, RtfGroupState& s,
                                             QString& marker) {
    using K = RtfKeyword;
    const bool inText = s.destination == RtfDestination::Body;
    switch (keyword) {
    case K::NestedTableProps:
        // What Word writes for a nested row; readers without nesting skip it.
        s.destination = RtfDestination::Skip;
        break;
    case K::TableDepth:
    case K::RowDefaults:
    case K::RowLeft:
    case K::CellBoundary:
    case K::MergedCell:
    case K::Cell:
    case K::Row:
    case K::NestedCell:
    case K::NestedRow:
        break;
    default:
        return Effect::NotATableWord;
    }
    // Table words outside the text (in a field's instruction, say) are
    // garbage: they neither build a table nor say that one is lost.
    if (!inText)
        return Effect::Done;

    switch (keyword) {
    case K::TableDepth:
        s.paragraph.inTable = param > 0;
        if (param > 1)
            RtfUnkept::add(m_unkept, RtfUnkept::nestedTable());
        return Effect::Done;
    case K::RowDefaults:
        m_row.reset();
        m_keeper.sharedStateChanged();
        return Effect::Done;
    case K::RowLeft:
        m_row.setLeft(param);
        m_keeper.sharedStateChanged();
        return Effect::Done;
    case K::CellBoundary:
        m_row.addBoundary(param);
        m_keeper.sharedStateChanged();
        return Effect::Done;
    case K::MergedCell:
        RtfUnkept::add(m_unkept, RtfUnkept::mergedCells());
        return Effect::Done;
    case K::Cell:
        // A cell ends even where its paragraph forgot \intbl.
        m_builder.placeInTable(true, m_row.cells());
        m_builder.endCell(s.paragraph, s.character, marker);
        marker.clear();
        return Effect::Done;
    case K::Row:
        // Outside a table, as readers without tables take it: a paragraph end.
        if (!m_builder.inTable())
            return Effect::EndParagraph;
        if (m_row.cells() > 0 && m_row.cells() != m_builder.tableColumns())
            RtfUnkept::add(m_unkept, RtfUnkept::irregularTable());
        m_builder.endRow(m_row.widths());
        return Effect::Done;
    case K::NestedCell:
        // The cells of a nested table become tabbed text in the outer cell.
        RtfUnkept::add(m_unkept, RtfUnkept::nestedTable());
        return Effect::AppendTab;
    case K::NestedRow:
        RtfUnkept::add(m_unkept, RtfUnkept::nestedTable());
        return Effect::EndParagraph;
    default: // \nesttableprops
        RtfUnkept::add(m_unkept, RtfUnkept::nestedTable());
        return Effect::Done;
    }
}
