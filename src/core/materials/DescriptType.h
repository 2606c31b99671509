#pragma once

#include <QString>

// The text of the description-type box ("*.rtf", "*.htm", "null", ...) and
// what it makes of a material's description file.
class DescriptType {
public:
    // The numbers are those stored in DescribeFileType.
    enum Kind { Rtf = 0, WebPages = 1, OtherFile = 2, Invalid = -1 };

    // The new-material dialog's reading: trimmed and lower-cased, so "*.RTF"
    // is RTF and "NULL" means no file. Empty and anything but "*.x" or
    // "null" is Invalid.
    static DescriptType ForNewMaterial(const QString& boxText);
    // Add description file reads the text as it stands: only "*.rtf" is RTF
    // ("*.RTF" is another type), and there is no "null".
    static DescriptType ForAddedDescription(const QString& boxText);

    Kind kind() const { return m_kind; }
    bool isValid() const { return m_kind != Invalid; }
    QString number() const { return QString::number(int(m_kind)); }
    // The type text without its asterisk: ".rtf"; empty for web pages.
    const QString& extension() const { return m_extension; }
    // The description file of a material with this name; empty for web pages.
    QString fileNameFor(const QString& materialName) const;

private:
    DescriptType(Kind kind, const QString& extension) : m_kind(kind), m_extension(extension) {}
    static DescriptType fromPattern(const QString& text);

    Kind m_kind;
    QString m_extension;
};
