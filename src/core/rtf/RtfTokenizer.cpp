#include "RtfTokenizer.h"

#include <algorithm>

namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Parameters are 16-bit in the format; anything much larger is garbage, and
// clamping keeps the arithmetic of later unit conversions in range.
constexpr long long kParamLimit = 1'000'000'000;

} // namespace

RtfTokenizer::Token RtfTokenizer::next() {
    const qsizetype size = m_data.size();
    const char* data = m_data.data();
    while (m_pos < size) {
        const char c = data[m_pos];
        switch (c) {
        case '{':
            ++m_pos;
            return {Type::GroupStart};
        case '}':
            ++m_pos;
            return {Type::GroupEnd};
        case '\r':
        case '\n':
            ++m_pos;
            continue;
        case '\\': {
            if (m_pos + 1 >= size) {
                m_pos = size;
                return {};
            }
            const char s = data[m_pos + 1];
            if (isLetter(s)) {
                ++m_pos;
                return controlWord();
            }
            if (s == '\'') {
                const int hi = m_pos + 2 < size ? hexValue(data[m_pos + 2]) : -1;
                const int lo = m_pos + 3 < size ? hexValue(data[m_pos + 3]) : -1;
                if (hi < 0 || lo < 0) {
                    // A broken escape carries no byte; drop it and read on.
                    m_pos = std::min(size, m_pos + (hi < 0 ? 2 : 3));
                    continue;
                }
                m_pos += 4;
                Token t{Type::HexByte};
                t.byte = static_cast<uchar>(hi * 16 + lo);
                return t;
            }
            m_pos += 2;
            Token t{Type::ControlSymbol};
            t.symbol = s;
            return t;
        }
        default: {
            const qsizetype start = m_pos;
            while (m_pos < size) {
                const char d = data[m_pos];
                if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n')
                    break;
                ++m_pos;
            }
            Token t{Type::Text};
            t.text = m_data.sliced(start, m_pos - start);
            return t;
        }
        }
    }
    return {};
}

RtfTokenizer::Token RtfTokenizer::controlWord() {
    const qsizetype size = m_data.size();
    const char* data = m_data.data();
    const qsizetype start = m_pos;
    while (m_pos < size && isLetter(data[m_pos]))
        ++m_pos;
    Token t{Type::ControlWord};
    t.text = m_data.sliced(start, m_pos - start);

    bool negative = false;
    if (m_pos + 1 < size && data[m_pos] == '-' && isDigit(data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < size && isDigit(data[m_pos])) {
        long long value = 0;
        while (m_pos < size && isDigit(data[m_pos])) {
            value = std::min(kParamLimit, value * 10 + (data[m_pos] - '0'));
            ++m_pos;
        }
        t.hasParam = true;
        t.param = static_cast<int>(negative ? -value : value);
    }
    if (m_pos < size && data[m_pos] == ' ')
        ++m_pos;

    if (t.text == "bin") {
        // Raw bytes follow; they must never be read as RTF.
        const qsizetype count = t.hasParam ? std::max(0, t.param) : 0;
        const qsizetype taken = std::min(count, size - m_pos);
        Token bin{Type::Binary};
        bin.text = m_data.sliced(m_pos, taken);
        m_pos += taken;
        return bin;
    }
    return t;
}

int RtfTokenizer::hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
