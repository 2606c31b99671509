#include "DescriptType.h"

#include "MaterialName.h"

#include <algorithm>

DescriptType DescriptType::fromPattern(const QString& text) {
    if (text.size() < 3 || !text.startsWith(QLatin1String("*.")))
        return {Invalid, {}};
    const QString extension = text.mid(1);
    // The extension ends up in a file name: "*./../x" must not lead the
    // file out of the material's folder.
    if (std::any_of(extension.cbegin(), extension.cend(), MaterialName::IsForbidden))
        return {Invalid, {}};
    return {text == QLatin1String("*.rtf") ? Rtf : OtherFile, extension};
}

DescriptType DescriptType::ForNewMaterial(const QString& boxText) {
    const QString text = boxText.trimmed().toLower();
    if (text == QLatin1String("null"))
        return {WebPages, {}};
    return fromPattern(text);
}

DescriptType DescriptType::ForAddedDescription(const QString& boxText) {
    return fromPattern(boxText);
}

QString DescriptType::fileNameFor(const QString& materialName) const {
    return m_kind == WebPages || m_kind == Invalid ? QString() : materialName + m_extension;
}
