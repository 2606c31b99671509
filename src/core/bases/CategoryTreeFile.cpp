#include "CategoryTreeFile.h"

#include "Prompter.h"
#include "config/CFolderTool.h"
#include "config/ConfigFileReader.h"
#include "config/ConfigFileWriter.h"
#include "store/CategoryCode.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/KnowledgeStore.h"

#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("K_RESOURCE_DATA");
const QString kKey = QStringLiteral("DATA");

// A "|" would cut the name on reading and a line break would end its line:
// they become blanks, so the rest of the name survives the round trip.
QString fieldText(QString name) {
    for (QChar& c : name) {
        if (c == QLatin1Char('|') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return name;
}

QList<CategoryTreeFile::Entry> entriesFrom(const ConfigFileReader& reader) {
    QStringList values;
    reader.GetValues(kSection, kKey, values);
    QList<CategoryTreeFile::Entry> entries;
    bool haveRoot = false;
    bool haveMajor = false;
    for (const QString& value : std::as_const(values)) {
        if (value.isEmpty())
            continue;
        const QString level = ConfigFileReader::Field(value, 0);
        const QString name = ConfigFileReader::Field(value, 1);
        if (level == QLatin1String("0")) {
            entries.append({0, name});
            haveRoot = true;
            // A minor after a new root has no major of that root to go to.
            haveMajor = false;
        } else if (level == QLatin1String("1") && haveRoot) {
            entries.append({1, name});
            haveMajor = true;
        } else if (level == QLatin1String("2") && haveMajor) {
            entries.append({2, name});
        }
    }
    return entries;
}

} // namespace

const QString CategoryTreeFile::kExtension = QStringLiteral("QCK");

QString CategoryTreeFile::Text(const QList<ItemRecord>& items) {
    QString text = QLatin1Char('[') + kSection + QLatin1String("]\n");
    for (const ItemRecord& item : items) {
        const char* prefix = nullptr;
        switch (CategoryCode::LevelOf(item.ItemID)) {
        case CategoryCode::Level::Root:
            prefix = "DATA=0|";
            break;
        case CategoryCode::Level::Major:
            prefix = "DATA=1|";
            break;
        case CategoryCode::Level::Minor:
            prefix = "DATA=2|";
            break;
        default: // the whole base, or no code at all
            continue;
        }
        text += QLatin1String(prefix) + fieldText(item.ItemName) + QLatin1String("|\n");
    }
    return text;
}

QList<CategoryTreeFile::Entry> CategoryTreeFile::ReadEntries(const QString& path) {
    ConfigFileReader reader;
    reader.Load(path);
    return entriesFrom(reader);
}

QList<CategoryTreeFile::Entry> CategoryTreeFile::EntriesOf(const QByteArray& bytes) {
    ConfigFileReader reader;
    reader.LoadBytes(bytes);
    return entriesFrom(reader);
}

std::vector<CategoryTreeFile::Node> CategoryTreeFile::TreeOf(const QList<Entry>& entries) {
    std::vector<Node> roots;
    for (const Entry& entry : entries) {
        // The entries keep the parent rule, so the parent is the last node
        // one level up.
        std::vector<Node>* siblings = &roots;
        for (int level = 0; level < entry.level && !siblings->empty(); ++level)
            siblings = &siblings->back().children;
        siblings->push_back({entry.name, {}});
    }
    return roots;
}

std::optional<std::vector<CategoryTreeFile::Node>> CategoryTreeFile::Preview(const QString& path,
                                                                             Prompter& prompter) {
    if (path.isEmpty()) {
        prompter.message(QStringLiteral("请选择导入的知识库模版!"), QStringLiteral("提示"),
                         Prompter::Icon::Information);
        return std::nullopt;
    }
    return TreeOf(ReadEntries(path));
}

QString CategoryTreeFile::WithDefaultExtension(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + kExtension;
}

bool CategoryTreeFile::ExportTree(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                  Prompter& prompter, const QString& path) {
    if (base.ReconnectPath.isEmpty())
        return false;
    // A closed database has said so; the file then holds the section alone.
    QList<ItemRecord> items;
    store.LoadAllItems(items);
    // The writer would make a missing folder; a mistyped one must fail
    // instead of leaving the file somewhere the user will not look.
    if (!CFolderTool::IsDirectory(QFileInfo(path).absolutePath()) ||
        ConfigFileWriter::Write(path, Text(items)) != ConfigFileWriter::Result::Written) {
        prompter.error(QStringLiteral("无法导出知识库!"));
        return false;
    }
    return true;
}
