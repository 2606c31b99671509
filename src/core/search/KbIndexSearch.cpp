#include "KbIndexSearch.h"

#include "ByteFinder.h"
#include "KbIndexData.h"
#include "KbQueryMatcher.h"
#include "KbSearchEngine.h"
#include "KbSearchText.h"
#include "store/LiveMaterialsStatement.h"

#include <vector>

namespace {

constexpr qsizetype kStopEvery = 4096;

// Per material: what the search has found out about it.
enum : quint8 { InRange = 1, NameHit = 2, KeywordHit = 4 };

// Calls hit(i) for every text i of the block that holds the needle; unit is
// 2 for a UTF-16 block, whose hits must start on a whole unit. The needle
// is not empty.
template <typename Hit>
void forEachMatch(const KbTextBlock& block, const ByteFinder& finder, qsizetype unit, Hit hit) {
    const char* const base = block.bytes.constData();
    const char* const end = base + block.bytes.size();
    const char* p = base;
    for (;;) {
        const char* found = finder.Find(p, end);
        if (found == end)
            return;
        const qsizetype offset = found - base;
        const qsizetype entry = offset % unit ? -1 : block.entryAt(offset);
        // A hit that runs on into the next text is no hit of either.
        if (entry < 0 || offset + finder.Size() > qsizetype(block.starts[entry + 1])) {
            p = found + 1;
            continue;
        }
        hit(entry);
        p = base + block.starts[entry + 1]; // the rest of this text adds nothing
    }
}

// Marks flag on the materials whose text in the block matches; texts belong
// to materials through owner.
template <typename Owner>
void mark(std::vector<quint8>& state, quint8 flag, const KbQueryMatcher& matcher,
          const KbTextBlock& utf8, const KbTextBlock& (KbIndexData::*folded)() const,
          const KbIndexData& index, Owner owner) {
    if (matcher.folded().isEmpty()) {
        for (qsizetype i = 0; i < utf8.count(); ++i)
            state[owner(i)] |= flag;
        return;
    }
    const auto set = [&](qsizetype i) { state[owner(i)] |= flag; };
    if (matcher.IsBytewise()) {
        forEachMatch(utf8, ByteFinder(matcher.foldedUtf8(), true), 1, set);
    } else {
        const QString& q = matcher.folded();
        const QByteArray needle(reinterpret_cast<const char*>(q.utf16()), q.size() * 2);
        forEachMatch((index.*folded)(), ByteFinder(needle, false), 2, set);
    }
}

bool inScope(QByteArrayView code, const LiveMaterialsScope& scope, QByteArrayView scopeCode) {
    switch (scope.match) {
    case LiveMaterialsScope::Match::All:
        return true;
    case LiveMaterialsScope::Match::Prefix:
        return code.startsWith(scopeCode);
    case LiveMaterialsScope::Match::Exact:
        return code == scopeCode;
    }
    return false;
}

} // namespace

qint64 KbIndexSearch::run(const KbIndexData& index, const SearchRequest& request,
                          const std::atomic<bool>& stop, const RowOut& rowOut) {
    if (request.Kind < 1 || request.Kind > 7)
        return 0;
    const std::optional<LiveMaterialsScope> scope = liveMaterialsScope(request.ScopeCode);
    if (!scope)
        return 0;
    const bool byName = request.Kind & 1;
    const bool byKeyword = request.Kind & 2;
    const bool byTime = request.Kind & 4;
    const QByteArray scopeCode = scope->code.toUtf8();
    const QByteArray from = request.FromDate.toUtf8();
    const QByteArray to = request.ToDate.toUtf8();
    const KbQueryMatcher matcher(request.QueryText);
    const qsizetype n = index.materialCount();
    const auto stopped = [&] { return stop.load(std::memory_order_relaxed); };

    std::vector<quint8> state(size_t(n), 0);
    for (qsizetype i = 0; i < n; ++i) {
        if (inScope(index.codes().at(i), *scope, scopeCode) &&
            (!byTime || KbSearchEngine::timeInRange(index.times().at(i), from, to)))
            state[i] = InRange;
    }
    if (byName)
        mark(state, NameHit, matcher, index.names(), &KbIndexData::foldedNames, index,
             [](qsizetype i) { return i; });

    qint64 found = 0;
    const auto report = [&](qsizetype i) {
        ++found;
        rowOut(KbSearchText::Row(index.id(i), index.names().at(i)));
    };
    // Listed at once: by name, or by time alone when neither text rule is
    // asked for.
    const quint8 listedBy = byName ? quint8(InRange | NameHit) : quint8(InRange);
    if (byName || !byKeyword) {
        for (qsizetype i = n - 1; i >= 0; --i) {
            if ((n - 1 - i) % kStopEvery == 0 && stopped())
                return found;
            if ((state[i] & listedBy) == listedBy)
                report(i);
        }
    }
    if (!byKeyword || stopped())
        return found;
    mark(state, KeywordHit, matcher, index.keywords(), &KbIndexData::foldedKeywords, index,
         [&index](qsizetype k) { return index.owner(k); });
    for (qsizetype i = 0; i < n; ++i) {
        if (i % kStopEvery == 0 && stopped())
            return found;
        const bool listed = byName && (state[i] & NameHit);
        if (!listed && (state[i] & (InRange | KeywordHit)) == (InRange | KeywordHit))
            report(i);
    }
    return found;
}
