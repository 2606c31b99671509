#include "DescriptionFiles.h"

#include "DescriptType.h"
#include "MaterialLookup.h"
#include "Prompter.h"
#include "config/CFolderTool.h"
#include "config/SafeFileWriter.h"
#include "rtf/RtfTemplate.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/KnowledgeStore.h"
#include "store/MaterialFolder.h"
#include "store/MaterialRecord.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kAddFailed = QStringLiteral("创建资料描述文件失败!");
const QString kOtherBase = QStringLiteral("该资料不属于当前本地知识库!");

} // namespace

DescriptionFiles::DescriptionFiles(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                   Prompter& prompter)
    : m_store(store), m_base(base), m_prompter(prompter) {}

bool DescriptionFiles::CanAdd(const MaterialRecord& material) {
    return !material.MinuItemName.isEmpty() && material.DescribeFileType == QLatin1String("1");
}

bool DescriptionFiles::CanRemove(const MaterialRecord& material) {
    return !material.MinuItemName.isEmpty() && material.DescribeFileType != QLatin1String("1");
}

QString DescriptionFiles::PathOf(const MaterialRecord& material) {
    return MaterialFolder::FileIn(material.FilesRoot, material.MinuItemFilePath,
                                  material.MinuItemDescribeFilename);
}

DescriptionFiles::Written DescriptionFiles::WriteNew(const QString& path, const QByteArray& bytes) {
    // A folder of that name is no description to keep.
    if (QFileInfo(path).isDir())
        return Written::Failed;
    if (CFolderTool::Exists(path))
        return Written::Existing;
    // Never written in place: a file cut short by a crash would be taken
    // for an existing description the next time. A file that appeared since
    // the test above is still not ours.
    return SafeFileWriter::create(path, bytes) ? Written::New : Written::Failed;
}

bool DescriptionFiles::Add(MaterialRecord& material, const QString& typeText) {
    if (!CanAdd(material))
        return false;
    const DescriptType type = DescriptType::ForAddedDescription(typeText);
    if (!type.isValid()) {
        m_prompter.notice(QStringLiteral("请选择新建该资料的描述文件类型!"));
        return false;
    }
    if (!MaterialLookup::BelongsToOpenBase(material, m_base)) {
        m_prompter.error(kOtherBase);
        return false;
    }
    MaterialRecord changed = material;
    changed.DescribeFileType = type.number();
    changed.MinuItemDescribeFilename = type.fileNameFor(material.MinuItemName);
    const QString path = PathOf(changed);
    const Written written =
        path.isEmpty() ? Written::Failed
                       : WriteNew(path, type.kind() == DescriptType::Rtf ? RtfTemplate::bytes()
                                                                         : QByteArray(" "));
    if (written == Written::Failed) {
        m_prompter.error(kAddFailed);
        return false;
    }
    if (!m_store.SetMaterialDescription(changed.MinuItemID, type.kind(),
                                        changed.MinuItemDescribeFilename)) {
        // The row still says "no file": take back the file this call made.
        if (written == Written::New)
            QFile::remove(path);
        m_prompter.error(kAddFailed);
        return false;
    }
    material = changed;
    return true;
}

bool DescriptionFiles::Remove(MaterialRecord& material) {
    if (!CanRemove(material))
        return false;
    if (!MaterialLookup::BelongsToOpenBase(material, m_base)) {
        m_prompter.error(kOtherBase);
        return false;
    }
    // The row first: if it cannot be changed the file must stay, or the
    // material would name a description that is gone.
    if (!m_store.SetMaterialDescription(material.MinuItemID, DescriptType::WebPages, {})) {
        m_prompter.error(QStringLiteral("删除资料描述文件失败!"));
        return false;
    }
    // A stored name that leads out of the folder names no file of the
    // material's: it is left alone, and the user told so.
    const QString path = PathOf(material);
    if (path.isEmpty() && !material.MinuItemDescribeFilename.isEmpty())
        m_prompter.error(QStringLiteral("删除资料描述文件 '%1' 失败!")
                             .arg(material.FilesRoot + material.MinuItemFilePath +
                                  material.MinuItemDescribeFilename));
    else if (!path.isEmpty() && CFolderTool::Exists(path) && !QFile::remove(path))
        m_prompter.error(QStringLiteral("删除资料描述文件 '%1' 失败!").arg(path));
    material.DescribeFileType = QStringLiteral("1");
    material.MinuItemDescribeFilename.clear();
    return true;
}
