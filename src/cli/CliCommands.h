#pragma once

#include <QStringList>
#include <span>

class CliContext;

struct CliCommand {
    const char* name;
    const char* usage; // the arguments after the command's name
    int (*run)(CliContext& context, const QStringList& args);
};

// Every command keepsake-cli knows, in the order the usage lists them.
std::span<const CliCommand> cliCommands();

// The commands of each capability live beside each other.
int cliBases(CliContext& context, const QStringList& args);
int cliCreateBase(CliContext& context, const QStringList& args);
int cliExportTree(CliContext& context, const QStringList& args);
int cliTree(CliContext& context, const QStringList& args);
int cliAddItem(CliContext& context, const QStringList& args);
int cliRenameItem(CliContext& context, const QStringList& args);
int cliMoveItem(CliContext& context, const QStringList& args);
int cliPasteItem(CliContext& context, const QStringList& args);
int cliPasteMaterials(CliContext& context, const QStringList& args);
int cliDeleteItem(CliContext& context, const QStringList& args);
int cliRecycle(CliContext& context, const QStringList& args);
int cliRestore(CliContext& context, const QStringList& args);
int cliClear(CliContext& context, const QStringList& args);
int cliNewMaterial(CliContext& context, const QStringList& args);
int cliShowMaterial(CliContext& context, const QStringList& args);
int cliMoveMaterial(CliContext& context, const QStringList& args);
int cliRenameMaterial(CliContext& context, const QStringList& args);
int cliDeleteMaterial(CliContext& context, const QStringList& args);
int cliAddDescription(CliContext& context, const QStringList& args);
int cliRemoveDescription(CliContext& context, const QStringList& args);
int cliKeywords(CliContext& context, const QStringList& args);
int cliList(CliContext& context, const QStringList& args);
int cliDock(CliContext& context, const QStringList& args);
int cliSearch(CliContext& context, const QStringList& args);
int cliGrep(CliContext& context, const QStringList& args);
int cliIndex(CliContext& context, const QStringList& args);
// Whether the user's profile has the file search read documents by their
// text, as the window does; the index is built in the same mode.
bool cliDocumentText();
int cliUrls(CliContext& context, const QStringList& args);
