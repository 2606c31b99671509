#include "TextCodec.h"

#include <QList>
#include <QString>
#include <optional>

// A short GB18030 note is often well-formed UTF-8 by accident ("知识" is the
// bytes D6 AA CA B6, which UTF-8 reads as a Hebrew accent and a modifier
// letter), and a library detector has too little to go on in a few bytes. So
// both readings are scored by how plausible their characters are as text a
// person wrote, and the better one wins. The scores are per character of each
// reading; a two-byte GB character and a two-byte UTF-8 letter cover the same
// bytes, so their scores compare directly.

namespace {

// Enough text to decide; scoring a whole 64 KB head for every searched file
// would cost the file search time for nothing.
constexpr qsizetype kScoredBytes = 4096;
constexpr qsizetype kLongestWord = 32;

enum class Script { None, Latin, Cyrillic, Greek };

Script letterScript(char32_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
        return Script::Latin;
    if ((c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7))
        return Script::Latin;
    if (c >= 0x400 && c <= 0x45F)
        return Script::Cyrillic;
    if (c >= 0x386 && c <= 0x3CE && c != 0x387)
        return Script::Greek;
    return Script::None;
}

// A run of letters between non-letters, as the decoded text shows it.
struct Word {
    bool hasAsciiLetter = false;
    bool mixed = false;
    Script script = Script::None;
    int letters = 0;
};

int scoreUtf8Word(const Word& word, const QList<char32_t>& nonAscii) {
    int score = 0;
    for (char32_t c : nonAscii) {
        const Script script = letterScript(c);
        if (script == Script::Latin)
            // "café", "naïve": an accented letter inside a word with plain
            // letters. A word of accented letters alone is what GB18030
            // hanzi of rows C3 to C5 look like.
            score += word.hasAsciiLetter && !word.mixed ? 3 : -1;
        else if (word.mixed || word.hasAsciiLetter)
            // "СDATA": GB18030's 小 before plain letters, not a Russian word.
            score -= 3;
        else
            // A word of Cyrillic or Greek letters. A lone letter proves
            // nothing, and two tie with two common hanzi: 谢谢 is the bytes of
            // "лл", and a Chinese program had better read it as Chinese.
            score += word.letters >= 3 ? 3 : word.letters == 2 ? 2 : 0;
    }
    return score;
}

int scoreUtf8NonLetter(char32_t c) {
    if (c < 0xA0)
        return -3; // C1 control codes
    if (c < 0x100)
        return 0; // Latin-1 signs: « » ° ± £ ·
    if ((c >= 0x3000 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7A3) ||
        (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF))
        return 3; // Chinese, Japanese, Korean text and their punctuation
    if (c >= 0x2000 && c <= 0x2BFF)
        return 1; // dashes, quotes, arrows, mathematical signs
    if (c >= 0x1F000 && c <= 0x1FAFF)
        return 2; // emoji
    return -3;    // combining marks, IPA, Hebrew points, private use, …
}

int scoreUtf8(QByteArrayView bytes) {
    const QList<uint> text = QString::fromUtf8(bytes).toUcs4();
    int score = 0;
    Word word;
    QList<char32_t> wordNonAscii;
    auto endWord = [&] {
        score += scoreUtf8Word(word, wordNonAscii);
        word = Word();
        wordNonAscii.clear();
    };
    for (const uint code : text) {
        const auto c = char32_t(code);
        const Script script = letterScript(c);
        if (script == Script::None) {
            endWord();
            if (c >= 0x80)
                score += scoreUtf8NonLetter(c);
            continue;
        }
        if (c < 0x80) {
            word.hasAsciiLetter = true;
        } else {
            wordNonAscii.append(c);
            if (word.script != Script::None && word.script != script)
                word.mixed = true;
            word.script = script;
        }
        ++word.letters;
    }
    endWord();
    return score;
}

int scoreGbCharacter(unsigned char lead, unsigned char trail) {
    if (trail >= 0xA1 && trail <= 0xFE) {
        if (lead >= 0xB0 && lead <= 0xD7)
            return 2; // the 3,755 common hanzi
        if (lead >= 0xD8 && lead <= 0xF7)
            return 1; // the less common hanzi
        if (lead == 0xA1 || lead == 0xA3)
            return 2; // Chinese punctuation and full-width forms
        if (lead >= 0xA2 && lead <= 0xA9)
            return 1; // kana, Greek, Cyrillic, box drawing
        return -3;    // user-defined areas
    }
    if (lead >= 0xA1 && lead <= 0xA7 && trail < 0xA1)
        return -3; // user-defined area
    return -1;     // the rarer characters GBK added
}

// Nullopt when the bytes are not GB18030 at all.
std::optional<int> scoreGb18030(QByteArrayView bytes, bool mayBeCut) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    int score = 0;
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        if (lead == 0x80 || lead == 0xFF)
            return std::nullopt;
        if (end - p < 2)
            return mayBeCut ? std::optional(score) : std::nullopt;
        const unsigned char second = p[1];
        if ((second >= 0x40 && second <= 0x7E) || (second >= 0x80 && second <= 0xFE)) {
            score += scoreGbCharacter(lead, second);
            p += 2;
            continue;
        }
        if (second < 0x30 || second > 0x39)
            return std::nullopt;
        if (end - p < 4)
            return mayBeCut ? std::optional(score) : std::nullopt;
        if (p[2] < 0x81 || p[2] > 0xFE || p[3] < 0x30 || p[3] > 0x39)
            return std::nullopt;
        score -= 3; // four-byte characters are rare in writing
        p += 4;
    }
    return score;
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The scored part starts with the word of the first byte past ASCII, where
// both readings begin a character ("café" is scored whole, not from "é"), and
// ends on a character boundary of the UTF-8 reading.
QByteArrayView scoredHead(QByteArrayView bytes) {
    qsizetype start = 0;
    while (start < bytes.size() && static_cast<unsigned char>(bytes[start]) < 0x80)
        ++start;
    const qsizetype firstNonAscii = start;
    while (start > 0 && firstNonAscii - start < kLongestWord && isAsciiLetter(bytes[start - 1]))
        --start;
    bytes = bytes.sliced(start);
    if (bytes.size() <= kScoredBytes)
        return bytes;
    qsizetype cut = kScoredBytes;
    while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
        --cut;
    return bytes.first(cut);
}

} // namespace

namespace TextCodec {

bool readsAsUtf8(QByteArrayView bytes, bool mayBeCut) {
    if (!isUtf8(bytes, mayBeCut))
        return false;
    if (isAscii(bytes))
        return true;
    QByteArrayView head = scoredHead(bytes);
    const bool headIsCut = mayBeCut || head.end() < bytes.end();
    // A UTF-8 sequence cut at the end of a file's head is no character yet.
    qsizetype whole = head.size();
    for (int back = 1; back <= 3 && back <= head.size(); ++back) {
        const auto byte = static_cast<unsigned char>(head[head.size() - back]);
        if ((byte & 0xC0) == 0xC0) {
            const int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
            if (length > back)
                whole = head.size() - back;
            break;
        }
        if ((byte & 0x80) == 0)
            break;
    }
    head = head.first(whole);
    const std::optional<int> gb = scoreGb18030(head, headIsCut);
    if (!gb)
        return true;
    return scoreUtf8(head) > *gb;
}

} // namespace TextCodec
