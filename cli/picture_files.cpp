#include "cli/picture_files.h"

#include <algorithm>
#include <cctype>
#include <exception>

#include <QBuffer>
#include <QImageWriter>

#include "level/file_replace.h"

namespace cli {

bool EndsWith(const std::string& name, const std::string& suffix) {
    if (name.size() < suffix.size())
        return false;
    return std::equal(suffix.rbegin(), suffix.rend(), name.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

bool IsPictureName(const std::string& name) {
    return EndsWith(name, ".bmp") || EndsWith(name, ".png");
}

std::string EncodePng(const QImage& picture, std::vector<std::uint8_t>& bytes) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, QByteArrayLiteral("png"));
    if (!writer.write(picture))
        return writer.errorString().toStdString();
    bytes.assign(png.begin(), png.end());
    return {};
}

std::string WriteFileBytes(const std::vector<std::uint8_t>& bytes, const std::string& path) {
    try {
        pw::ReplaceFileContents(path, bytes);
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

} // namespace cli
