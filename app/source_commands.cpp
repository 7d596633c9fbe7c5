// File > Open Texture images: a second level or a picture becomes the texture source.
#include <new>

#include <QDir>
#include <QFileInfo>

#include "app/guarded_work.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "localisation/data_captions.h"
#include "widgets/platform.h"

namespace {

const QString kSourceFilter = QStringLiteral(
    "All (*.bmp;*.png;*.phd;*.tub;*.tr2;*.trg;*.tr4;*.trc)|*.bmp;*.png;*.phd;*.tub;*.tr2;*.trg;*.tr4;*.trc|"
    "Bitmaps (*.bmp;*.png)|*.bmp;*.png|TR files "
    "(*.phd;*.tub;*.tr2;*.trg;*.tr4;*.trc)|*.phd;*.tub;*.tr2;*.trg;*.tr4;*.trc");

} // namespace

void TForm1::openimage1Click() {
    const std::optional<QString> path = CurrentPlatform().OpenFileName(
        this, {QStringLiteral("Open texture images"), kSourceFilter, {}, false, {}});
    if (path)
        OpenSourceFile(*path);
}

void TForm1::OpenSourceFile(const QString& path) {
    repaint();
    SourceOpenResult result = SourceOpenResult::not_a_level;
    if (!RunGuarded(this,
                    {IsPictureFileName(path) ? QString() : QStringLiteral("Loading Level..."),
                     QStringLiteral("Not enough memory to open %1").arg(path),
                     [&](const QString& message) { return NamingTheFile(path, message); }},
                    [&](pw::Gauge* gauge) { result = doc_.OpenSource(path, gauge); }))
        return;
    switch (result) {
    case SourceOpenResult::opened:
        break;
    case SourceOpenResult::wrong_size:
        CurrentPlatform().ShowMessage(this,
                                      QStringLiteral("Bitmap must be 256 width and 256 height or more"));
        break;
    case SourceOpenResult::not_a_level:
        CurrentPlatform().ShowMessage(this, RefusedLevelMessage(path, doc_.InvalidReason()));
        break;
    case SourceOpenResult::no_pages:
        CurrentPlatform().ShowMessage(
            this, QStringLiteral("%1 holds no texture pages.").arg(QDir::toNativeSeparators(path)));
        break;
    case SourceOpenResult::unreadable_picture:
        CurrentPlatform().ShowError(
            this, QStringLiteral("Cannot read the picture %1").arg(QDir::toNativeSeparators(path)));
        break;
    }
}

// The source's page list and its first page, after the document took a new source.
void TForm1::ShowSource() {
    const TextureSource& source = doc_.Source();
    Label4->SetCaption(source.FileName.isEmpty() ? DataCaptionText(Label4) : source.FileName);
    QStringList pages;
    for (int i = 1; i <= source.PageCount(); ++i)
        pages.append(QStringLiteral("Page#%1").arg(i));
    ComboBox2->Items()->Assign(pages);
    ComboBox2->SetItemIndex(0);
    SourcePage = 0;
    SourcePageView = source.SourceImage.copy(0, 0, 256, 256).convertToFormat(QImage::Format_RGB888);
    Image2->SetPicture(SourcePageView);
    GroupBox2->SetCaption(PageCaption(0, source.PageCount()));
    EnableCopyCommands();
}

void TForm1::EnableCopyCommands() {
    Button1->setEnabled(doc_.HasLevel() && doc_.Source().PageCount() > 0);
}
