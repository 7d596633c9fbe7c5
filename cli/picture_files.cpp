#include "cli/picture_files.h"

#include <algorithm>
#include <cctype>

#include <QFile>
#include <QImageWriter>
#include <QSaveFile>

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

std::string WritePicture(const QImage& picture, const std::string& path) {
    QSaveFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString().toStdString();
    QImageWriter writer(&file, EndsWith(path, ".png") ? QByteArrayLiteral("png") : QByteArrayLiteral("bmp"));
    if (!writer.write(picture))
        return writer.errorString().toStdString();
    if (!file.commit())
        return file.errorString().toStdString();
    return {};
}

} // namespace cli
