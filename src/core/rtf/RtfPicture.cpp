#include "RtfPicture.h"

#include "RtfTokenizer.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <QVariant>

#include <algorithm>
#include <cmath>

namespace {

// The resource name carries the kind, as a PNG or JPEG that is damaged must
// still go back out under its own blip word.
constexpr char kScheme[] = "rtf-picture";
constexpr char kPngSuffix[] = ".png";
constexpr char kJpegSuffix[] = ".jpg";

// Larger sizes are garbage; this keeps the pixel arithmetic exact.
constexpr int kMaxTwips = 1'000'000;

struct Picture {
    QByteArray bytes;
    const char* blip = nullptr;
};

const char* blipOf(const QString& name) {
    return name.endsWith(QLatin1String(kPngSuffix)) ? "pngblip" : "jpegblip";
}

const char* formatOf(const char* blip) {
    return qstrcmp(blip, "pngblip") == 0 ? "png" : "jpeg";
}

// The bytes to write for an image and their blip word: pictures read from
// RTF as they were, pictures pasted as images as PNG.
Picture pictureOf(const QTextDocument* document, const QTextImageFormat& image) {
    if (image.hasProperty(RtfPicture::kBytesProperty))
        return {image.property(RtfPicture::kBytesProperty).toByteArray(), blipOf(image.name())};
    const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(image.name()));
    if (resource.userType() == QMetaType::QByteArray) {
        const QByteArray bytes = resource.toByteArray();
        if (bytes.startsWith("\x89PNG"))
            return {bytes, "pngblip"};
        if (bytes.startsWith("\xFF\xD8\xFF"))
            return {bytes, "jpegblip"};
    }
    QImage pasted;
    if (resource.userType() == QMetaType::QImage)
        pasted = resource.value<QImage>();
    else if (resource.userType() == QMetaType::QPixmap)
        pasted = resource.value<QPixmap>().toImage();
    else if (resource.userType() == QMetaType::QByteArray)
        pasted = QImage::fromData(resource.toByteArray());
    if (pasted.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    pasted.save(&buffer, "PNG");
    return {png, "pngblip"};
}

} // namespace

void RtfPicture::applyWord(RtfKeyword keyword, int param) {
    switch (keyword) {
    case RtfKeyword::PngBlip:
        m_kind = Kind::Png;
        break;
    case RtfKeyword::JpegBlip:
        m_kind = Kind::Jpeg;
        break;
    case RtfKeyword::PicWidthGoal:
        m_goalWidth = param;
        break;
    case RtfKeyword::PicHeightGoal:
        m_goalHeight = param;
        break;
    case RtfKeyword::PicScaleX:
        m_scaleX = param;
        break;
    case RtfKeyword::PicScaleY:
        m_scaleY = param;
        break;
    default:
        break;
    }
}

void RtfPicture::appendHex(QByteArrayView text) {
    for (char c : text) {
        const int value = RtfTokenizer::hexValue(c);
        if (value < 0)
            continue;
        if (m_highNibble < 0) {
            m_highNibble = value;
        } else {
            m_bytes.append(char(m_highNibble * 16 + value));
            m_highNibble = -1;
        }
    }
}

void RtfPicture::appendBinary(QByteArrayView bytes) {
    m_bytes.append(bytes);
}

int RtfPicture::scaledTwips(int goal, int percent) const {
    const long long twips = (long long)goal * (percent > 0 ? percent : 100) / 100;
    return int(std::clamp<long long>(twips, 0, kMaxTwips));
}

std::optional<QTextImageFormat> RtfPicture::addTo(QTextDocument* document) const {
    if (m_kind == Kind::Other || m_bytes.isEmpty())
        return std::nullopt;
    // Decoded as the kind the file names: left to guess, Qt takes some
    // damaged bytes for other formats with huge pictures.
    QBuffer buffer;
    buffer.setData(m_bytes);
    QImageReader reader(&buffer, m_kind == Kind::Png ? "png" : "jpeg");
    reader.setDecideFormatFromContent(false);
    const QImage image = reader.read();
    // Qt draws a stand-in for a picture it cannot decode, and some layouts of
    // that stand-in never finish; such a picture is kept raw instead.
    if (image.isNull())
        return std::nullopt;
    const QByteArray hash = QCryptographicHash::hash(m_bytes, QCryptographicHash::Sha1).toHex();
    const QString name = QLatin1String(kScheme) + u':' + QLatin1String(hash) +
                         QLatin1String(m_kind == Kind::Png ? kPngSuffix : kJpegSuffix);
    document->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setProperty(kBytesProperty, m_bytes);
    // Sizes are whole twips, so that writing the size back gives the same number.
    if (const int width = scaledTwips(m_goalWidth, m_scaleX); width > 0)
        format.setWidth(width / 15.0);
    if (const int height = scaledTwips(m_goalHeight, m_scaleY); height > 0)
        format.setHeight(height / 15.0);
    return format;
}

QByteArray RtfPicture::group(const QTextDocument* document, const QTextImageFormat& image) {
    const Picture picture = pictureOf(document, image);
    if (!picture.blip)
        return {};
    QByteArray out = "{\\pict\\";
    out += picture.blip;
    QBuffer buffer;
    buffer.setData(picture.bytes);
    QImageReader reader(&buffer, formatOf(picture.blip));
    reader.setDecideFormatFromContent(false);
    if (const QSize size = reader.size(); size.isValid())
        out += "\\picw" + QByteArray::number(size.width()) + "\\pich" +
               QByteArray::number(size.height());
    const auto twips = [](qreal pixels) {
        return QByteArray::number(std::clamp<long long>(std::llround(pixels * 15), 1, kMaxTwips));
    };
    if (image.hasProperty(QTextFormat::ImageWidth))
        out += "\\picwgoal" + twips(image.width());
    if (image.hasProperty(QTextFormat::ImageHeight))
        out += "\\pichgoal" + twips(image.height());
    // Lines of 64 bytes, as word processors write them.
    const QByteArray hex = picture.bytes.toHex();
    for (qsizetype at = 0; at < hex.size(); at += 128) {
        out += '\n';
        out += hex.mid(at, 128);
    }
    return out + '}';
}
