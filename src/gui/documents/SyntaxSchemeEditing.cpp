#include "SyntaxSchemeEditing.h"

#include "DocumentFactory.h"
#include "Prompter.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/ProgramPaths.h"
#include "config/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kRelative = QStringLiteral("EditConfig/SyntaxEdit.ini");

} // namespace

namespace SyntaxSchemeEditing {

QString userCopy(const ProgramPaths& paths) {
    return paths.programFolder() + kRelative;
}

std::optional<QString> prepareUserCopy(const ProgramPaths& paths, Prompter& prompter) {
    const QString own = userCopy(paths);
    const QString shipped = paths.shippedFolder() + kRelative;
    // Without a home of its own the program folder is the installation's,
    // and its copy is the shipped file itself.
    if (QFileInfo(own).absoluteFilePath() == QFileInfo(shipped).absoluteFilePath()) {
        prompter.error(QStringLiteral("无法修改随程序提供的文件 %1!").arg(shipped));
        return std::nullopt;
    }
    if (QFileInfo::exists(own))
        return own;

    QByteArray bytes;
    QFile original(shipped);
    // A program without a shipped scheme starts the user from an empty
    // file, which leaves the editors' defaults.
    if (original.exists()) {
        if (!original.open(QIODevice::ReadOnly)) {
            prompter.error(QStringLiteral("无法读取文件 %1!").arg(shipped));
            return std::nullopt;
        }
        bytes = original.readAll();
    }
    QString reason;
    if (!QDir().mkpath(QFileInfo(own).absolutePath()) ||
        !SafeFileWriter::create(own, bytes, &reason)) {
        prompter.error(QStringLiteral("无法创建文件 %1!\n%2").arg(own, reason));
        return std::nullopt;
    }
    return own;
}

void install(CommandRegistry& commands, const ProgramPaths& paths, DocumentFactory& factory,
             Prompter& prompter, std::function<void(const QString&)> openText) {
    commands.define(CommandIds::EditSyntaxScheme, QStringLiteral("&编辑选择"));
    commands.setHandler(CommandIds::EditSyntaxScheme,
                        [paths, &factory, &prompter, openText = std::move(openText)] {
                            const std::optional<QString> own = prepareUserCopy(paths, prompter);
                            if (!own)
                                return;
                            // From now on the factory reads, and reloads on
                            // saving, the file the user edits.
                            if (factory.schemeFile() != *own)
                                factory.setSchemeFile(*own);
                            openText(*own);
                        });
}

} // namespace SyntaxSchemeEditing
