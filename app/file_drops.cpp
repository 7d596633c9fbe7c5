// Files dropped on the main window: a level opens as File > Open does; on the source view a level or a
// picture opens as File > Open Texture images does. A folder is said to be one; any other file gets the
// message a wrong file gets.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "app/main_window.h"
#include "document/texture_source.h"
#include "widgets/platform.h"

namespace {

// The one local file being dragged; empty for text, remote links or several files.
QString DraggedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

bool IsLevelFileName(const QString& path) {
    static const QStringList suffixes{QStringLiteral("phd"), QStringLiteral("tub"), QStringLiteral("tr2"),
                                      QStringLiteral("trg"), QStringLiteral("tr4"), QStringLiteral("trc")};
    return suffixes.contains(QFileInfo(path).suffix(), Qt::CaseInsensitive);
}

} // namespace

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (!DraggedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    const QString path = DraggedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    const bool on_source = GroupBox2->rect().contains(GroupBox2->mapFrom(this, event->position().toPoint()));
    const bool accepted = IsLevelFileName(path) || (on_source && IsPictureFileName(path));
    // Opening shows progress and messages: it runs after the drop has been answered, so the program the
    // file came from is not kept waiting.
    QTimer::singleShot(0, this, [this, path, on_source, accepted] {
        if (RefuseFolder(path))
            return;
        if (!accepted)
            CurrentPlatform().ShowMessage(this, Text(MessageText::invalid_level));
        else if (on_source)
            OpenSourceFile(path);
        else if (SaveChangesFirst())
            OpenLevelFile(path);
    });
}
