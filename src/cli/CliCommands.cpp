#include "CliCommands.h"

namespace {
const CliCommand kCommands[] = {
    {"bases", "", cliBases},
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
};
} // namespace

std::span<const CliCommand> cliCommands() { return kCommands; }
