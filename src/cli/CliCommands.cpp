#include "CliCommands.h"

namespace {
const CliCommand kCommands[] = {
    {"bases", "", cliBases},
    {"create-base", "NAME FOLDER [--from FILE.QCK]", cliCreateBase},
    {"export-tree", "FILE.QCK", cliExportTree},
    {"tree", "[--all]", cliTree},
    {"add-item", "PARENT NAME", cliAddItem},
    {"rename-item", "CODE NAME", cliRenameItem},
    {"move-item", "CODE up|down", cliMoveItem},
    {"paste-item", "CODE TARGET", cliPasteItem},
    {"paste-materials", "CODE TARGET", cliPasteMaterials},
    {"delete-item", "CODE", cliDeleteItem},
    {"recycle", "", cliRecycle},
    {"restore", "--item CODE | --material ID", cliRestore},
    {"clear", "--item CODE | --material ID", cliClear},
    {"new-material", "CODE NAME [--type PATTERN]", cliNewMaterial},
    {"show-material", "ID", cliShowMaterial},
    {"move-material", "ID TARGET", cliMoveMaterial},
    {"rename-material", "ID NAME", cliRenameMaterial},
    {"delete-material", "ID", cliDeleteMaterial},
    {"add-description", "ID PATTERN", cliAddDescription},
    {"remove-description", "ID", cliRemoveDescription},
    {"keywords", "ID [--set K1 K2 ...]", cliKeywords},
    {"list",
     "CODE [--type all|web|other] [--time none|1d|3d|1w|1m|3m|6m|1y] [--from DATE] "
     "[--to DATE] [--page N]",
     cliList},
    {"dock", "[add ID | remove ID]", cliDock},
    {"search", "QUERY [--scope CODE] [--name] [--keyword] [--from DATE] [--to DATE]", cliSearch},
    {"grep",
     "QUERY [--scope CODE] [--types LIST] [--case] [--word] [--regex] [--names-only] "
     "[--hidden] [--no-index]",
     cliGrep},
    {"index", "build|status|drop", cliIndex},
    {"urls", "[--group NAME] | add TITLE URL [--group NAME]", cliUrls},
};
} // namespace

std::span<const CliCommand> cliCommands() {
    return kCommands;
}
