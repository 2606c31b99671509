#pragma once

#include "RtfCharProps.h"
#include "RtfKeyword.h"
#include "RtfParaProps.h"
#include "RtfTokenizer.h"

// The control words that set character and paragraph formatting. Each
// returns false when the word is not one of its kind.
namespace RtfFormatWords {

bool applyCharacterWord(RtfKeyword keyword, const RtfTokenizer::Token& token, RtfCharProps& props);
bool applyParagraphWord(RtfKeyword keyword, const RtfTokenizer::Token& token, RtfParaProps& props);

} // namespace RtfFormatWords
