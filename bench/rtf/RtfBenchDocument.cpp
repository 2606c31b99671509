#include "RtfBenchDocument.h"

#include <QString>
#include <QStringEncoder>
#include <QStringList>

namespace {

// A fixed linear congruential generator: the same file on every machine.
class Sequence {
public:
    quint32 next(quint32 bound) {
        m_state = m_state * 1103515245u + 12345u;
        return (m_state >> 8) % bound;
    }

private:
    quint32 m_state = 20240601u;
};

QByteArray hexBytes(const QByteArray& bytes) {
    static const char kHex[] = "0123456789abcdef";
    QByteArray out;
    out.reserve(bytes.size() * 4);
    for (char c : bytes) {
        out += "\\'";
        out += kHex[uchar(c) >> 4];
        out += kHex[uchar(c) & 15];
    }
    return out;
}

} // namespace

QByteArray RtfBenchDocument::generate(qsizetype targetBytes) {
    const QStringList chinese = {
        QStringLiteral("知识管理"),     QStringLiteral("资料库"),
        QStringLiteral("会议记录"),     QStringLiteral("描述文件"),
        QStringLiteral("今天讨论了"),   QStringLiteral("项目进度"),
        QStringLiteral("需要注意的是"), QStringLiteral("参考文献"),
        QStringLiteral("整理笔记"),     QStringLiteral("，"),
        QStringLiteral("。"),           QStringLiteral("数据备份与恢复"),
    };
    const QStringList latin = {
        QStringLiteral("Keepsake"), QStringLiteral("knowledge"), QStringLiteral("base"),
        QStringLiteral("RTF"),      QStringLiteral("2024"),      QStringLiteral("notes"),
        QStringLiteral("meeting"),  QStringLiteral("v1.0"),
    };
    QStringEncoder gbk("GB18030");
    QList<QByteArray> chineseRtf;
    for (const QString& word : chinese)
        chineseRtf.append(hexBytes(gbk.encode(word)));

    QByteArray out = "{\\rtf1\\ansi\\ansicpg936\\deff0\\nouicompat\\deflang1033\\deflangfe2052"
                     "{\\fonttbl{\\f0\\fnil\\fcharset134 " +
                     hexBytes(gbk.encode(QStringLiteral("宋体"))) +
                     ";}{\\f1\\fswiss\\fprq2\\fcharset0 Arial;}{\\f2\\fnil\\fcharset2 Symbol;}"
                     "{\\f3\\fnil\\fcharset134 " +
                     hexBytes(gbk.encode(QStringLiteral("黑体"))) +
                     ";}}\r\n{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green77\\blue187;"
                     "\\red0\\green176\\blue80;}\r\n{\\*\\generator Riched20 10.0.19041}"
                     "\\viewkind4\\uc1 \r\n";
    out.reserve(targetBytes + 4096);
    Sequence random;
    bool inList = false;
    while (out.size() < targetBytes) {
        const quint32 kind = random.next(10);
        if (kind < 2) {
            out += inList ? "{\\pntext\\f2\\'B7\\tab}"
                          : "\\pard{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0"
                            "{\\pntxtb\\'B7}}\\fi-360\\li720\\sa200\\sl276\\slmult1 ";
            inList = true;
        } else {
            static const char* const kAlign[] = {"", "", "", "\\qc", "\\qr", "\\qj"};
            out += "\\pard\\sa200\\sl276\\slmult1";
            out += kAlign[random.next(6)];
            out += ' ';
            inList = false;
        }
        const int runs = 4 + int(random.next(12));
        for (int r = 0; r < runs; ++r) {
            switch (random.next(9)) {
            case 0:
                out += "\\b ";
                break;
            case 1:
                out += "\\b0 ";
                break;
            case 2:
                out += random.next(2) ? "\\i " : "\\i0 ";
                break;
            case 3:
                out += random.next(2) ? "\\ul " : "\\ulnone ";
                break;
            case 4:
                out += "\\cf" + QByteArray::number(random.next(4)) + ' ';
                break;
            case 5:
                out += "\\fs" + QByteArray::number(18 + 2 * random.next(8)) + ' ';
                break;
            case 6:
                out += "\\f1\\lang1033 " + latin.at(random.next(latin.size())).toLatin1() + ' ' +
                       latin.at(random.next(latin.size())).toLatin1() + "\\f0\\lang2052 ";
                break;
            case 7:
                out += "\\uc1\\u8364?\\u8212?";
                break;
            default:
                out += random.next(4) ? "\\f0 " : "\\f3 ";
                break;
            }
            const int words = 1 + int(random.next(6));
            for (int w = 0; w < words; ++w)
                out += chineseRtf.at(random.next(chineseRtf.size()));
        }
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}
