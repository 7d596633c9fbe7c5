// What a step of the edit history did, for the windows to name in their language: its kind and, for a
// step on one page, that page (from 1).
#pragma once

enum class StepKind {
    copy_tile,
    copy_page,
    set_attribute,
    mirror_texture,
    paste_texture,
    define_textures,
    define_texture,
    clone_texture,
    add_page,
    add_animated_set,
    delete_animated_set,
    add_frame,
    delete_frame,
    replace_frame,
    import_pages,
    edit_page_outside, // the page edited
    clean_up_textures,
    merge_duplicates,
    remove_unused,
    compact_pages,
};

struct HistoryStep {
    StepKind kind = StepKind::copy_tile;
    int page = 0; // from 1; 0 for a step on no one page

    friend bool operator==(const HistoryStep&, const HistoryStep&) = default;
};
