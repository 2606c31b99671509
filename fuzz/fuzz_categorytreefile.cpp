// A knowledge-base file (".QCK") on any bytes. The entries keep the parent
// rule, the tree holds every entry in file order, and an exported tree reads
// back as the same categories.

#include "FuzzSupport.h"
#include "bases/CategoryTreeFile.h"
#include "config/ConfigFileWriter.h"

#include <cstddef>
#include <cstdint>

namespace {

using Entry = CategoryTreeFile::Entry;
using Node = CategoryTreeFile::Node;

bool keepsParentRule(const QList<Entry>& entries) {
    bool haveRoot = false;
    bool haveMajor = false;
    for (const Entry& entry : entries) {
        if (entry.level == 0) {
            haveRoot = true;
            haveMajor = false;
        } else if (entry.level == 1 && haveRoot) {
            haveMajor = true;
        } else if (entry.level != 2 || !haveMajor) {
            return false;
        }
    }
    return true;
}

void flatten(const std::vector<Node>& nodes, int level, QList<Entry>& out) {
    for (const Node& node : nodes) {
        out.append({level, node.name});
        flatten(node.children, level + 1, out);
    }
}

// Item rows as the export reads them from a base: any code of the right
// level will do, the file keeps no codes.
QList<ItemRecord> itemsOf(const QList<Entry>& entries) {
    static const QString codes[] = {QStringLiteral("010000"), QStringLiteral("010100"),
                                    QStringLiteral("010101")};
    QList<ItemRecord> items;
    for (const Entry& entry : entries)
        items.append({QString(), codes[entry.level], entry.name, 0});
    return items;
}

// A name read from a file can hold a carriage return, which the writer makes
// a blank: a line would end there on reading.
QList<Entry> asWritten(QList<Entry> entries) {
    for (Entry& entry : entries)
        entry.name.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<Entry> entries = CategoryTreeFile::EntriesOf(bytes);
    FUZZ_EXPECT(keepsParentRule(entries));
    FUZZ_EXPECT(CategoryTreeFile::ReadEntries(
                    Fuzz::writeScratch(QStringLiteral("tree.QCK"), bytes)) == entries);

    QList<Entry> inTree;
    flatten(CategoryTreeFile::TreeOf(entries), 0, inTree);
    FUZZ_EXPECT(inTree == entries);

    const QByteArray exported = ConfigFileWriter::Encode(CategoryTreeFile::Text(itemsOf(entries)));
    FUZZ_EXPECT(CategoryTreeFile::EntriesOf(exported) == asWritten(entries));
    return 0;
}
