// The file entry points of a store's language files.
#include <cerrno>
#include <cstring>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "localisation/form_list.h"
#include "localisation/language_file_format.h"
#include "localisation/language_file_reader.h"
#include "localisation/language_file_writer.h"
#include "widgets/data_files.h"

bool TFormList::LoadFromBytes(const QByteArray& bytes) {
    error_.clear();
    return LanguageFileReader(*this, bytes).Read();
}

namespace {

// The bytes of a regular file of at most MaxFileBytes, or an empty array and the reason. The file is
// checked once it is open (a pipe is opened without waiting for a writer), so that a pipe or a device
// named like a language file is refused instead of blocking or filling the memory.
QByteArray ReadLanguageFile(const QString& path, QString& error) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = QStringLiteral("Cannot open %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return {};
    }
    QFile file;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        error = QStringLiteral("Cannot read %1: it is not a regular file.").arg(path);
        return {};
    }
    if (info.st_size > language_file::MaxFileBytes) {
        ::close(fd);
        error = QStringLiteral("Cannot read %1: it holds %2 bytes; a language file holds at most %3.")
                    .arg(path)
                    .arg(static_cast<qint64>(info.st_size))
                    .arg(language_file::MaxFileBytes);
        return {};
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = QStringLiteral("Cannot open %1: %2").arg(path, file.errorString());
        return {};
    }
    const QByteArray bytes = file.read(language_file::MaxFileBytes + 1);
    if (bytes.size() > language_file::MaxFileBytes) {
        error = QStringLiteral("Cannot read %1: it grew while it was read.").arg(path);
        return {};
    }
    return bytes;
}

} // namespace

bool TFormList::LoadFromFile(const QString& path) {
    error_.clear();
    QString error;
    const QByteArray bytes = ReadLanguageFile(path, error);
    if (!error.isEmpty()) {
        // Texts the file would give stay flagged new, as after any failed read.
        LoadFromBytes({});
        error_ = error;
        return false;
    }
    if (LoadFromBytes(bytes))
        return true;
    error_ = QStringLiteral("Cannot read %1: %2").arg(path, error_);
    return false;
}

QByteArray TFormList::SaveToBytes(const QString& file_name) {
    error_.clear();
    return LanguageFileWriter(*this).Write(file_name, error_);
}

// Written beside the target and put in its place only when complete.
bool TFormList::SaveToFile(const QString& path) {
    const QByteArray bytes = SaveToBytes(QFileInfo(path).fileName());
    if (bytes.isEmpty())
        return false;
    // A folder that cannot be created is the cause to report, not the file that then cannot be opened.
    if (const QString failed = CreateDataFolder(QFileInfo(path).absolutePath()); !failed.isEmpty()) {
        error_ = failed;
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error_ = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
