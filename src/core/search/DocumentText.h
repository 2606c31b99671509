#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The formats whose files the search reads as documents, and the text a
// reader sees in their bytes (see SearchableText).
namespace DocumentText {

enum class Format { Rtf, Html, Mht };

// By the file name's extension, any case.
std::optional<Format> formatOf(QStringView fileName);

// std::nullopt when the bytes are not in the format.
std::optional<QString> extract(Format format, QByteArrayView bytes);

// Plain text as the file search decodes it: up to the first zero byte,
// UTF-8 when the head is well-formed UTF-8, else GB18030.
QString plainText(QByteArrayView bytes);

} // namespace DocumentText
