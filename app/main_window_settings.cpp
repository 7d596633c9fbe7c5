// Saving the main window's placement, the interface language, the recent files and whether pictures are
// dithered between runs, and restoring them at start-up.
#include <algorithm>

#include "app/main_window.h"
#include "app/page_map_settings.h"
#include "app/recent_files.h"
#include "app/settings_store.h"
#include "app/window_placement.h"
#include "localisation/language_window.h"
#include "texture_windows/page_map_window.h"

namespace {

const QString kSettingsKey = QStringLiteral("Pagewright");
const QString kVersionSection = QStringLiteral("Version");
const QString kFormSection = QStringLiteral("form1");
const QString kRecentSection = QStringLiteral("Recent files");
const QString kOutsideSection = QStringLiteral("Outside editing");
// The program and its version (the project's): settings of another version are not read.
const QString kVersion = QStringLiteral("Pagewright " PW_VERSION);

// Longer than any path a file system takes: such an entry is damage, not a file name.
constexpr int kMaxStoredPathLength = 4096;

QString RecentEntry(int i) {
    return QStringLiteral("File name%1").arg(i);
}

// A language identifier is 16 bits; anything else selects no language.
unsigned StoredLanguageId(int value) {
    return value >= 0 && value <= 0xFFFF ? static_cast<unsigned>(value) : 0;
}

} // namespace

void TForm1::LoadSettings() {
    SettingsOpen(kSettingsKey);
    if (ReadStringSetting(kVersionSection, QStringLiteral("version")) == kVersion) {
        RestorePlacement();
        if (Localisation)
            Localisation->SelectLanguageById(
                StoredLanguageId(ReadIntSetting(kFormSection, QStringLiteral("languaje"))));
        if (ReadBoolSetting(kFormSection, QStringLiteral("maximized")))
            setWindowState(windowState() | Qt::WindowMaximized);
        RestoreRecentFiles();
        doc_.SetDitherPictures(ReadBoolSetting(kFormSection, QStringLiteral("dither")));
        Outside->SetCommand(ReadStringSetting(kOutsideSection, QStringLiteral("command")));
        DitherPictures1->Action()->setChecked(doc_.DitherPictures());
        if (PageMap)
            page_map_placed_ = ReadPageMapSettings(*PageMap);
    }
    SettingsClose();
}

void TForm1::SaveSettings() {
    SettingsOpen(kSettingsKey);
    // Only the entries below are kept: whatever else the file held is dropped.
    SettingsClear();
    WriteStringSetting(kVersionSection, QStringLiteral("version"), kVersion);
    const bool maximized = isMaximized();
    // The bounds written are the normal ones, which the next start maximizes again if need be.
    if (maximized)
        setWindowState(windowState() & ~Qt::WindowMaximized);
    WriteBoolSetting(kFormSection, QStringLiteral("maximized"), maximized);
    WriteIntSetting(kFormSection, QStringLiteral("left"), Left());
    WriteIntSetting(kFormSection, QStringLiteral("top"), Top());
    WriteIntSetting(kFormSection, QStringLiteral("width"), Width());
    WriteIntSetting(kFormSection, QStringLiteral("height"), Height());
    WriteIntSetting(kFormSection, QStringLiteral("languaje"),
                    Localisation ? static_cast<int>(Localisation->CurrentLangId) : 0);
    WriteBoolSetting(kFormSection, QStringLiteral("dither"), doc_.DitherPictures());
    if (!Outside->Command().isEmpty())
        WriteStringSetting(kOutsideSection, QStringLiteral("command"), Outside->Command());
    const int count = static_cast<int>(std::min<qsizetype>(RecentFiles.size(), kMaxRecentFiles));
    WriteIntSetting(kRecentSection, QStringLiteral("count"), count);
    for (int i = 0; i < count; ++i)
        WriteStringSetting(kRecentSection, RecentEntry(i), RecentFiles.at(i));
    if (PageMap)
        WritePageMapSettings(*PageMap);
    SettingsClose();
}

// The stored bounds, kept on a screen and at a usable size whatever the file says. Bounds of which a
// number cannot be read, or with a size that is not positive, leave the default placement.
void TForm1::RestorePlacement() {
    WindowBounds stored{};
    if (!TryReadIntSetting(kFormSection, QStringLiteral("left"), stored.left) ||
        !TryReadIntSetting(kFormSection, QStringLiteral("top"), stored.top) ||
        !TryReadIntSetting(kFormSection, QStringLiteral("width"), stored.width) ||
        !TryReadIntSetting(kFormSection, QStringLiteral("height"), stored.height))
        return;
    // No window is ever stored with a size below one pixel: such a size is damage as well.
    if (stored.width <= 0 || stored.height <= 0)
        return;
    const QRect bounds = VisibleWindowBounds(stored, AvailableScreenAreas());
    SetBounds(bounds.left(), bounds.top(), bounds.width(), bounds.height());
}

// Adding the stored entries from the oldest to the newest, each at the head, restores their order.
void TForm1::RestoreRecentFiles() {
    const int count = std::clamp(ReadIntSetting(kRecentSection, QStringLiteral("count")), 0, kMaxRecentFiles);
    for (int i = count - 1; i >= 0; --i) {
        const QString path = ReadStringSetting(kRecentSection, RecentEntry(i));
        if (!path.isEmpty() && path.size() <= kMaxStoredPathLength)
            AddRecentFile(path);
    }
}
