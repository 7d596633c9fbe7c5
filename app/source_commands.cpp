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

const QString kLevelPatterns = QStringLiteral("*.phd;*.tub;*.tr2;*.trg;*.tr4;*.trc");
const QString kPicturePatterns = QStringLiteral("*.bmp;*.png");

} // namespace

void TForm1::openimage1Click() {
    const QString all = kPicturePatterns + u';' + kLevelPatterns;
    const QString filter = FilterEntry(MessageText::all_files, all, all) + u'|' +
                           FilterEntry(MessageText::bitmaps, kPicturePatterns, kPicturePatterns) + u'|' +
                           FilterEntry(MessageText::level_files, kLevelPatterns, kLevelPatterns);
    const std::optional<QString> path =
        CurrentPlatform().OpenFileName(this, {Text(MessageText::open_source_title), filter, {}, false, {}});
    if (path)
        OpenSourceFile(*path);
}

void TForm1::OpenSourceFile(const QString& path) {
    repaint();
    const bool picture = IsPictureFileName(path);
    pw::Result result;
    if (!RunGuarded(this,
                    {picture ? QString() : Text(MessageText::loading_level),
                     Text(MessageText::no_memory_to_open).arg(path)},
                    [&](pw::Gauge* gauge) { result = doc_.OpenSource(path, gauge); }))
        return;
    if (result == pw::Status::wrong_size)
        CurrentPlatform().ShowMessage(this, Text(MessageText::bitmap_too_small));
    else if (result == pw::Status::bad_request)
        CurrentPlatform().ShowMessage(this,
                                      Text(MessageText::no_source_pages).arg(QDir::toNativeSeparators(path)));
    else if (!result && picture)
        CurrentPlatform().ShowError(this, NamingTheFile(path, QString::fromStdString(result.reason)));
    else if (!result)
        ShowLevelNotRead(path, result);
}

// The source's page list and its first page, after the document took a new source.
void TForm1::ShowSource() {
    const TextureSource& source = doc_.Source();
    Label4->SetCaption(source.FileName.isEmpty() ? DataCaptionText(Label4) : source.FileName);
    ComboBox2->Items()->Assign(PageEntries(source.PageCount()));
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
