// The steps of the edit history. Each edit holds only what the step changed, in the state the document
// is not in: swapping it with the document undoes the step, swapping again redoes it, byte for byte.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "level/animated_sets.h"
#include "level/page_access.h"
#include "level/texture_usage.h"
#include "level/trlevel.h"

// What a swap changed, for the document to announce.
struct EditChange {
    enum class What { page_pixels, textures, animated_sets, page_added, page_removed, several };
    What what;
    // The page, or for textures the first record the step holds (-1: the selection stays).
    int index = -1;
    // For several: what each part changed, in the order the parts were swapped.
    std::vector<EditChange> parts = {};
};

class DocumentEdit {
public:
    virtual ~DocumentEdit() = default;
    // Exchanges what the edit holds with the level and the sets, and says what changed.
    virtual EditChange Swap(pw::Ttrlevel& level, pw::AnimatedSets& sets) = 0;
    // The bytes the edit keeps.
    virtual std::size_t Bytes() const = 0;
};

// A rectangle of one page in every depth the level carries.
class PixelsEdit : public DocumentEdit {
public:
    // Keeps the rectangle's current bytes; clipped to the page.
    PixelsEdit(const pw::Ttrlevel& level, int page, int left, int top, int width, int height);
    EditChange Swap(pw::Ttrlevel& level, pw::AnimatedSets& sets) override;
    std::size_t Bytes() const override;

private:
    struct Depth {
        pw::PageDepth depth;
        pw::Bytes bytes; // the rectangle's rows, one after another
    };
    int page_, left_, top_, width_, height_;
    std::vector<Depth> depths_;
};

// Texture records from `first` on: changed in place, or appended (the table's length changes).
class TexturesEdit : public DocumentEdit {
public:
    // Keeps records [first, first + count) as they are now; count 0 for an edit that appends.
    TexturesEdit(const pw::Ttrlevel& level, int first, int count);
    EditChange Swap(pw::Ttrlevel& level, pw::AnimatedSets& sets) override;
    std::size_t Bytes() const override;

private:
    int first_;
    int table_length_; // num_object_textures in the state held
    std::vector<pw::tobjtexture> records_;
};

// The animated sets and the level's anim_words.
class AnimatedSetsEdit : public DocumentEdit {
public:
    AnimatedSetsEdit(const pw::Ttrlevel& level, const pw::AnimatedSets& sets);
    EditChange Swap(pw::Ttrlevel& level, pw::AnimatedSets& sets) override;
    std::size_t Bytes() const override;

private:
    pw::AnimatedSets sets_;
    std::vector<std::uint16_t> anim_words_;
    std::int32_t anim_word_count_;
};

// The texture word of every room and mesh face, as the clean-up of object textures rewrites them.
// Faces are found by the level's structure, which the step does not change.
class FaceWordsEdit : public DocumentEdit {
public:
    FaceWordsEdit(const pw::Ttrlevel& level, pw::MeshFaces meshes);
    EditChange Swap(pw::Ttrlevel& level, pw::AnimatedSets& sets) override;
    std::size_t Bytes() const override;

private:
    pw::MeshFaces meshes_;
    std::vector<std::uint16_t> words_;
};

// An appended page: swapping appends it or takes it off again. Made before the page exists.
class AddPageEdit : public DocumentEdit {
public:
    explicit AddPageEdit(int page) : page_(page) {}
    EditChange Swap(pw::Ttrlevel& level, pw::AnimatedSets& sets) override;
    std::size_t Bytes() const override { return sizeof(*this); }

private:
    int page_;
    bool present_ = false; // whether the page is in the level
};

// Several edits taken as one step. Swapping runs them in order and then reverses the order, so that
// the next swap takes them back last one first. Made with the parts in the order that undoes them.
class EditGroup : public DocumentEdit {
public:
    explicit EditGroup(std::vector<std::shared_ptr<DocumentEdit>> parts) : parts_(std::move(parts)) {}
    EditChange Swap(pw::Ttrlevel& level, pw::AnimatedSets& sets) override;
    std::size_t Bytes() const override;

private:
    std::vector<std::shared_ptr<DocumentEdit>> parts_;
};
