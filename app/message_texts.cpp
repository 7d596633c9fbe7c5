#include "app/message_texts.h"

QStringList PageTextPatterns() {
    return {QStringLiteral("Page:%1/%2")};
}

QStringList HistoryStepNames() {
    return {QStringLiteral("Copy tile"),
            QStringLiteral("Copy page"),
            QStringLiteral("Set attribute"),
            QStringLiteral("Mirror texture"),
            QStringLiteral("Paste texture"),
            QStringLiteral("Define textures"),
            QStringLiteral("Define texture"),
            QStringLiteral("Clone texture"),
            QStringLiteral("Add page"),
            QStringLiteral("Add animated set"),
            QStringLiteral("Delete animated set"),
            QStringLiteral("Add frame"),
            QStringLiteral("Delete frame"),
            QStringLiteral("Replace frame"),
            QStringLiteral("Import pages"),
            QStringLiteral("Edit page %1 outside"),
            QStringLiteral("Clean up textures"),
            QStringLiteral("Merge duplicate textures"),
            QStringLiteral("Remove unused textures"),
            QStringLiteral("Compact pages")};
}

QStringList FileNameTextPatterns() {
    return {QStringLiteral("%1 is a folder, not a file."),
            QStringLiteral("%1 is not named like a %2 level. Save it under this name anyway?")};
}

QStringList MessageTextPatterns() {
    return {QStringLiteral("Save changes to %1?"),
            QStringLiteral("File not found!!!"),
            QStringLiteral("Invalid TR file format!!!"),
            QStringLiteral("Cloned Texture ID: %1"),
            QStringLiteral("Bitmap must be 256 width and 256 height or more"),
            QStringLiteral("The level could not be saved to %1"),
            QStringLiteral("Not enough memory to open %1"),
            QStringLiteral("Not enough memory."),
            QStringLiteral("Not enough memory to export to %1"),
            QStringLiteral("%1 holds no texture pages."),
            QStringLiteral("Cannot read the picture %1"),
            QStringLiteral("Open TR file"),
            QStringLiteral("Save As"),
            QStringLiteral("Save Texture to Bitmap"),
            QStringLiteral("Open texture images"),
            QStringLiteral("All TR files"),
            QStringLiteral("All"),
            QStringLiteral("Bitmaps"),
            QStringLiteral("TR files"),
            QStringLiteral("Windows Bitmap"),
            QStringLiteral("Portable Network Graphics"),
            QStringLiteral("Loading Level..."),
            QStringLiteral("Saving Level..."),
            QStringLiteral("Saving Texture to Bitmap..."),
            QStringLiteral("Selection: left %1, top %2, right %3, bottom %4"),
            QStringLiteral("Go to texture"),
            QStringLiteral("Texture number (0 to %1):"),
            QStringLiteral("Cannot add a page: the level has %1 pages, the most a level may hold."),
            QStringLiteral("Export Pages to Folder"),
            QStringLiteral("Import Pages from Folder"),
            QStringLiteral("Exporting pages..."),
            QStringLiteral("Importing pages..."),
            QStringLiteral("The pages were not imported: %1"),
            QStringLiteral("Page %1 was not changed: %2"),
            QStringLiteral("No program could be started to edit %1"),
            QStringLiteral("Pages imported from %1: %2"),
            QStringLiteral("These files were not taken, as they are not named %1: %2"),
            QStringLiteral("%1 duplicates of %2 textures merged"),
            QStringLiteral("%1 unused textures removed"),
            QStringLiteral("textures from #%1 on are renumbered"),
            QStringLiteral("%1. Go on?"),
            QStringLiteral("No texture is an exact copy of another: nothing to merge."),
            QStringLiteral("Every texture is used: nothing to remove."),
            QStringLiteral("The textures cannot be cleaned up: %1"),
            QStringLiteral("%1 room faces"),
            QStringLiteral("%1 mesh faces"),
            QStringLiteral("animated sets %1"),
            QStringLiteral("unused"),
            QStringLiteral("From %1 pages to %2; %3 areas move. Compact the pages?"),
            QStringLiteral("Nothing to compact: the textures in use do not fit in fewer pages."),
            QStringLiteral(
                "From %1 pages to %2; %3 areas move. Removing the %4 unused textures first would leave %5 "
                "pages: remove them first?"),
            QStringLiteral("The game's engine loads at most %1 pages; add page %2 anyway?"),
            QStringLiteral("The game's engine loads at most %1 pages; add pages %2 to %3 anyway?"),
            QStringLiteral("%1 pictures written to %2"),
            QStringLiteral("%1 could not be opened with the command %2 (setting \"command\" in %3)"),
            QStringLiteral("Files the editor saved beside the pages stay in %1"),
            QStringLiteral("This import cannot be undone: keeping it would take %1. Import anyway?")};
}

QStringList EntryTextPatterns() {
    return {QStringLiteral("Page#%1"), QStringLiteral("Texture#%1")};
}
