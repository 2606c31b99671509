#include "MaterialCreator.h"

#include "DescriptType.h"
#include "DescriptionFiles.h"
#include "MaterialLookup.h"
#include "MaterialName.h"
#include "Prompter.h"
#include "TimeText.h"
#include "config/CFolderTool.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "rtf/RtfTemplate.h"
#include "store/CategoryCode.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/ItemRecord.h"
#include "store/KnowledgeStore.h"
#include "store/MaterialFolder.h"

#include <QFile>

namespace {

const QString kSelectMinor = QStringLiteral("请在知识库窗口中选择知识库小项再创建资料!");
const QString kNotStored = QStringLiteral("入本地知识库失败!");

// Longest file name the file system takes, in bytes: a hundred Chinese
// characters are 300 bytes in UTF-8, more than a Linux file name may have.
constexpr int kMaxFileNameBytes = 255;

} // namespace

MaterialCreator::MaterialCreator(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                 Prompter& prompter)
    : m_store(store), m_base(base), m_prompter(prompter) {}

bool MaterialCreator::CheckTarget(const QString& code) {
    if (CategoryCode::IsWellFormed(code) && CategoryCode::IsMinor(code))
        return true;
    m_prompter.notice(kSelectMinor);
    return false;
}

QString MaterialCreator::TargetPath(const QString& code) {
    return MaterialLookup::DisplayPath(m_store, m_base, code);
}

bool MaterialCreator::targetExists(const QString& code) {
    // A material filed under a code no item has could never be shown.
    ItemRecord item;
    if (m_store.LoadItem(code, item))
        return true;
    if (m_store.database().IsOpen()) // else the store has said so
        m_prompter.notice(kSelectMinor);
    return false;
}

std::optional<MaterialRecord> MaterialCreator::Create(const QString& code, const QString& nameText,
                                                      const QString& typeText,
                                                      bool openAfterwards) {
    if (!CheckTarget(code))
        return std::nullopt;
    const QString name = MaterialName::Clean(nameText);
    if (const QString problem = MaterialName::ProblemOf(name); !problem.isEmpty()) {
        m_prompter.notice(problem);
        return std::nullopt;
    }
    if (typeText.trimmed().isEmpty()) {
        m_prompter.notice(QStringLiteral("请选择描述文件类型!"));
        return std::nullopt;
    }
    const DescriptType type = DescriptType::ForNewMaterial(typeText);
    if (!type.isValid()) {
        m_prompter.notice(QStringLiteral("资料描述文件类型不符合规范!"));
        return std::nullopt;
    }
    const QString fileName = type.fileNameFor(name);
    if (QFile::encodeName(fileName).size() > kMaxFileNameBytes) {
        m_prompter.notice(QStringLiteral("资料名太长!"));
        return std::nullopt;
    }
    if (!targetExists(code))
        return std::nullopt;

    // The id is read, its folder made and the row stored under one write
    // lock: another process creating a material at the same moment waits,
    // then reads the next id, instead of taking this one. Messages wait
    // until the lock is given up, so a question on screen never holds off
    // the other writers.
    Transaction transaction(m_store.database());
    QString id;
    if (!transaction.IsActive() || !m_store.NextMaterialId(id)) {
        m_prompter.error(kNotStored);
        return std::nullopt;
    }

    MaterialRecord material;
    material.MinuItemID = id;
    material.MinuItemName = name;
    material.ItemID = code;
    material.DescribeFileType = type.number();
    material.MinuItemDescribeFilename = fileName;
    material.MinuItemFilePath = CategoryCode::MaterialFolder(code, id);
    material.CreateTime = TimeText::now();
    MaterialLookup::Complete(m_store, m_base, material);

    const QString folder = MaterialFolder::Resolve(m_base.FilesRoot, material.MinuItemFilePath);
    const QString folderFailure = QStringLiteral("创建本地资料目录 '%1' 失败!")
                                      .arg(m_base.FilesRoot + material.MinuItemFilePath);
    if (folder.isEmpty()) {
        transaction.Rollback();
        m_prompter.error(folderFailure);
        return std::nullopt;
    }
    // Files already in the folder are not this material's: it must not
    // show them, nor delete them when it is cleared.
    bool asideFailed = false;
    const QString aside = MaterialFolder::MoveAsideIfUsed(folder, asideFailed);
    QStringList createdFolders;
    if (asideFailed ||
        (!CFolderTool::IsDirectory(folder) && !CFolderTool::CreatePath(folder, &createdFolders))) {
        CFolderTool::RemoveCreated(createdFolders);
        transaction.Rollback();
        m_prompter.error(folderFailure);
        return std::nullopt;
    }

    // A file that cannot be written is reported and the material is still
    // created; it can get its description later.
    QString createdFile;
    QString fileFailure;
    if (type.kind() != DescriptType::WebPages) {
        const QString path = folder + QLatin1Char('/') + fileName;
        const QByteArray content =
            type.kind() == DescriptType::Rtf ? RtfTemplate::bytes() : QByteArray("  ");
        switch (DescriptionFiles::WriteNew(path, content)) {
        case DescriptionFiles::Written::New:
            createdFile = path;
            break;
        case DescriptionFiles::Written::Existing: // someone's file: it stays as it is
            break;
        case DescriptionFiles::Written::Failed:
            fileFailure = QStringLiteral("创建本地资料描述文件 '%1' 失败!").arg(path);
            break;
        }
    }

    const bool stored = m_store.InsertMaterial(material) && transaction.Commit();
    if (!stored)
        transaction.Rollback();
    if (!aside.isEmpty())
        m_prompter.notice(
            QStringLiteral("资料目录 '%1' 中已有其他文件，已移到 '%2'。").arg(folder, aside));
    if (!fileFailure.isEmpty())
        m_prompter.error(fileFailure);
    if (!stored) {
        if (!createdFile.isEmpty())
            QFile::remove(createdFile);
        CFolderTool::RemoveCreated(createdFolders);
        m_prompter.error(kNotStored);
        return std::nullopt;
    }
    m_openAfterwards = openAfterwards;
    return material;
}

QString MaterialCreator::CaptureFolder(const MaterialRecord& material) {
    const QString folder = MaterialFolder::Resolve(material.FilesRoot, material.MinuItemFilePath);
    if (folder.isEmpty() ||
        (!CFolderTool::IsDirectory(folder) && !CFolderTool::CreatePath(folder))) {
        m_prompter.error(
            QStringLiteral("创建文件夹%1出错").arg(material.FilesRoot + material.MinuItemFilePath));
        return {};
    }
    return folder;
}
