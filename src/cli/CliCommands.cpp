#include "CliCommands.h"

namespace {
const CliCommand kCommands[] = {
    {"bases", "", cliBases},
};
} // namespace

std::span<const CliCommand> cliCommands() { return kCommands; }
