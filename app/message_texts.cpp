#include "app/message_texts.h"

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
            QStringLiteral("%1 could not be opened with the command %2 (setting \"command\" in %3)"),
            QStringLiteral("Files the editor saved beside the pages stay in %1"),
            QStringLiteral("This import cannot be undone: keeping it would take %1. Import anyway?")};
}

QStringList EntryTextPatterns() {
    return {QStringLiteral("Page#%1"), QStringLiteral("Texture#%1")};
}
