// The texts the main window fills in while it runs: its page boxes' captions, the names of the history's
// steps, its message boxes, the titles and filter names of its file dialogs, its progress captions and the
// entries it generates for its lists. TForm1 keeps each group in a table of its own (a hidden list the
// language files translate); file names, numbers and the reasons of failures fill the placeholders.
#pragma once

#include <QString>
#include <QStringList>

#include "document/history_step.h"

enum class PageText {
    caption, // "Page:%1/%2", the page (from 1) and the page count
};

enum class FileNameText {
    folder,             // "%1 is a folder, not a file."
    unusual_level_name, // %1 the file's name, %2 the extension of its kind
};

enum class MessageText {
    save_changes, // "Save changes to %1?" with the level's file name
    file_not_found,
    invalid_level,  // the file name and the reader's reason follow on lines of their own
    cloned_texture, // "Cloned Texture ID: %1"
    bitmap_too_small,
    not_saved,         // "The level could not be saved to %1"; the reason follows
    no_memory_to_open, // %1 the file
    no_memory,
    no_memory_to_export, // %1 the file
    no_source_pages,     // %1 the file
    unreadable_picture,  // %1 the file
    open_level_title,
    save_as_title,
    export_title,
    open_source_title,
    all_level_files, // filter names; the patterns are added to them
    all_files,
    bitmaps,
    level_files,
    windows_bitmap,
    png_pictures,
    loading_level, // progress captions
    saving_level,
    exporting,
    selection_corners, // the status bar: the mouse rectangle's left, top, right and bottom
    go_to_texture_title,
    go_to_texture_label, // %1 the last texture number
    page_limit,          // %1 the most pages a level may hold
    export_pages_title,  // folder dialogs
    import_pages_title,
    exporting_pages, // progress captions
    importing_pages,
    pages_not_imported, // %1 the file and the reason
    page_not_taken,     // %1 the page (from 1), %2 the file and the reason
    page_not_opened,    // %1 the file
    pages_imported,     // the status bar: %1 the folder, %2 pages and the files they came from
    pictures_not_taken, // %1 the pattern page pictures are named by, %2 the names not taken
    // The question before a clean-up of the object textures, made of the parts that apply.
    clean_merged,     // %1 duplicates, %2 the textures they copy
    clean_removed,    // %1 unused textures
    clean_renumbered, // %1 the first texture whose number changes
    clean_question,   // %1 the parts above, joined by "; "
    no_duplicates,
    no_unused,
    clean_refused, // %1 the reason
    // What uses the selected texture, beside its preview.
    use_room_faces, // %1 how many
    use_mesh_faces,
    use_animated_sets, // %1 the set numbers
    use_unused,
    compact_question, // %1 pages before, %2 after, %3 the areas that move
    compact_nothing,
    compact_after_cleanup,   // as compact_question; %4 unused textures, %5 the pages after removing them
    engine_page_limit,       // %1 the pages the game's engine loads, %2 the page to add (from 1)
    engine_page_limit_range, // the same before pages %2 to %3 are added
    pages_exported,          // the status bar: %1 pictures written into folder %2
    editor_not_started,      // %1 the file, %2 the command, %3 the settings file
    outside_files_left,      // %1 the working folder
    import_not_undoable,     // %1 the size of the undo data, formatted
};

enum class EntryText {
    page,    // "Page#%1", a page list entry (from 1)
    texture, // "Texture#%1", a texture list line (from 0)
};

// The English texts, in the order of the enumerations (StepKind for the steps' names; the edit of a
// page outside names its page as %1).
QStringList PageTextPatterns();
QStringList HistoryStepNames();
QStringList FileNameTextPatterns();
QStringList MessageTextPatterns();
QStringList EntryTextPatterns();
