// Sizes, capacities and magic words of the level file layouts, kept in one place.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pw::layout {

// Pages are square: every size and coordinate of a page derives from this side.
inline constexpr int kPageSide = 256;
inline constexpr std::size_t kPageWidth = kPageSide;
inline constexpr std::size_t kPageHeight = kPageSide;
inline constexpr std::size_t kPage8Bytes = 65536;
inline constexpr std::size_t kPage16Bytes = 131072;
inline constexpr std::size_t kPage32Bytes = 262144;

inline constexpr std::size_t kPaletteBytes = 768;
inline constexpr std::size_t kPalette16Bytes = 1024;
inline constexpr std::size_t kLightMapBytes = 8192;
inline constexpr std::size_t kSoundMapBytes = 900;
inline constexpr std::size_t kLevelHeadBytes = 46;
inline constexpr std::size_t kTexMarkerBytes = 5;
inline constexpr std::size_t kSprMarkerBytes = 4;

// Version words (the first four bytes of a level file).
inline constexpr std::uint32_t kVersionTr1 = 0x00000020;
inline constexpr std::uint32_t kVersionTr2 = 0x0000002D;
inline constexpr std::uint32_t kVersionTr3a = 0xFF080038;
inline constexpr std::uint32_t kVersionTr3b = 0xFF180038;
inline constexpr std::uint32_t kVersionTr4 = 0x00345254; // "TR4" and a zero byte
inline constexpr std::uint32_t kVersionTr4Alt = 0xFFFFFFF0;

// Element sizes of the counted sections.
inline constexpr std::size_t kFloorDataSize = 2;
inline constexpr std::size_t kMeshDataSize = 2;
inline constexpr std::size_t kMeshPointerSize = 4;
inline constexpr std::size_t kAnimation32Size = 32;
inline constexpr std::size_t kAnimation40Size = 40;
inline constexpr std::size_t kStateChangeSize = 6;
inline constexpr std::size_t kAnimDispatchSize = 8;
inline constexpr std::size_t kAnimCommandSize = 2;
inline constexpr std::size_t kMeshTreeSize = 4;
inline constexpr std::size_t kFrameSize = 2;
inline constexpr std::size_t kMoveable18Size = 18;
inline constexpr std::size_t kMoveable20Size = 20;
inline constexpr std::size_t kStaticMeshSize = 32;
inline constexpr std::size_t kSpriteTextureSize = 16;
inline constexpr std::size_t kSpriteSequenceSize = 8;
inline constexpr std::size_t kCameraSize = 16;
inline constexpr std::size_t kFlybyCameraSize = 40;
inline constexpr std::size_t kSoundSourceSize = 16;
inline constexpr std::size_t kBox20Size = 20;
inline constexpr std::size_t kBox8Size = 8;
inline constexpr std::size_t kOverlapSize = 2;
inline constexpr std::size_t kZoneEntrySize = 2;
inline constexpr std::size_t kZoneArrays = 10;
inline constexpr std::size_t kAnimWordSize = 2;
inline constexpr std::size_t kItem22Size = 22;
inline constexpr std::size_t kItem24Size = 24;
inline constexpr std::size_t kCinematicFrameSize = 16;
inline constexpr std::size_t kAiObjectSize = 24;
inline constexpr std::size_t kDemoDataSize = 1;
inline constexpr std::size_t kSoundDetailSize = 8;
inline constexpr std::size_t kSampleIndexSize = 4;

// Object texture records as stored in the file, by kind.
inline constexpr std::size_t kObjectTexture20Size = 20; // kinds 1 to 5
inline constexpr std::size_t kObjectTexture38Size = 38; // kind 6
inline constexpr std::size_t kObjectTexture40Size = 40; // kind 7

// Room element sizes.
inline constexpr std::size_t kRoomInfoBytes = 16;
inline constexpr std::size_t kVertex8Size = 8;
inline constexpr std::size_t kVertex12Size = 12;
inline constexpr std::size_t kRectangleSize = 10;
inline constexpr std::size_t kTriangleSize = 8;
inline constexpr std::size_t kRoomSpriteSize = 4;
inline constexpr std::size_t kPortalSize = 32;
inline constexpr std::size_t kSectorSize = 8;
inline constexpr std::size_t kLight18Size = 18;
inline constexpr std::size_t kLight24Size = 24;
inline constexpr std::size_t kLight46Size = 46;
inline constexpr std::size_t kLight88Size = 88;
inline constexpr std::size_t kStatic18Size = 18;
inline constexpr std::size_t kStatic20Size = 20;
inline constexpr std::size_t kFogBulbSize = 36;

// Kind 7 rooms.
inline constexpr std::size_t kLayerHeadSize = 56;
inline constexpr std::size_t kLayerVertexSize = 28;
inline constexpr std::size_t kLayerRectangleSize = 12;
inline constexpr std::size_t kLayerTriangleSize = 10;
inline constexpr std::size_t kTrcHeadWords = 27;
inline constexpr std::size_t kMaxFlatVertices = 1500;
inline constexpr std::uint16_t kMissingVertex = 0xFFFF;
inline constexpr std::uint16_t kTrcGeometryFlags = 3114;
inline constexpr std::uint16_t kGeometryHasHeader = 2;
inline constexpr std::uint16_t kGeometryHasLayers = 8;
inline constexpr std::uint8_t kCdFiller = 0xCD;
// The filler fields of a kind 7 room header (3, 12, 13, 16, 17, 19, 21, 29) and the 2 bytes after
// the portals, kept in one array in that order.
inline constexpr std::size_t kTrcFillerBytes = 4 + 8 + 6 + 10 + 4 + 16 + 4 + 16 + 2;

// Limits of what a level may hold. No engine reads a tenth of them; beyond them a file is invalid
// before anything is inflated or allocated for it.
inline constexpr std::size_t kMaxPages = 4096;                            // 1 GiB of 32-bit pages
inline constexpr std::size_t kMaxLevelDataBytes = std::size_t{256} << 20; // inflated kind 6 level data
inline constexpr std::size_t kMaxMiscBlockBytes = kMaxPages * kPage32Bytes;
inline constexpr std::size_t kMaxWrappedBytes = std::size_t{1} << 30; // content of the "ZLIB" wrapper

// The whole-file wrapper.
inline constexpr std::uint32_t kZlibMagic = 0x42494C5A; // "ZLIB"
inline constexpr std::size_t kZlibWrapperHead = 12;

// The record's "a level is loaded" marker.
inline constexpr const char* kLoadedMarker = "Kestrel";

} // namespace pw::layout
