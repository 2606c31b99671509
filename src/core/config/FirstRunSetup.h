#pragma once

#include <QString>

class Prompter;
class ProgramPaths;

// The work of the first-run setup after the user has named the first knowledge
// base and chosen where it lives: copy the default base there, write its ini
// file and the default main configuration that makes it the start base.
namespace FirstRunSetup {

// Blanks out the characters a folder name cannot hold ("\/:*?\"<>|.") and trims.
QString cleanBaseName(const QString& typed);

// Adds the trailing "/" a typed folder may lack.
QString normaliseFolder(const QString& typed);

// The chosen folder gets "我的知识库" with the base in it. Existing files there
// are kept, never replaced. False (after telling the user where the steps
// have a message) when the setup cannot be completed.
bool complete(const ProgramPaths& paths, const QString& name, const QString& folder,
              Prompter& prompter);

} // namespace FirstRunSetup
