#pragma once

#include <QByteArrayView>

// Splits RTF bytes into groups, control words, control symbols, hex bytes and
// plain text. Never reads past the end: input cut anywhere (mid-word, after a
// lone backslash, inside \bin data) just ends the token stream.
class RtfTokenizer {
public:
    // The value of a hexadecimal digit, -1 for any other character.
    static int hexValue(char c);

    enum class Type {
        End,
        GroupStart,
        GroupEnd,
        ControlWord,
        ControlSymbol,
        HexByte,
        Text,
        Binary
    };

    struct Token {
        Token(Type t = Type::End) : type(t) {}

        Type type;
        QByteArrayView text; // letters of a control word, or the bytes of a text run
        int param = 0;
        bool hasParam = false;
        char symbol = 0;
        uchar byte = 0;
    };

    explicit RtfTokenizer(QByteArrayView data) : m_data(data) {}

    Token next();

    // The offset of the next byte to read: a group's raw bytes run from its
    // '{' to the position after its '}'.
    qsizetype position() const { return m_pos; }
    QByteArrayView data() const { return m_data; }

private:
    Token controlWord();

    QByteArrayView m_data;
    qsizetype m_pos = 0;
};
