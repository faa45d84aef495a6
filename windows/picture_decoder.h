#pragma once
// Decoding the game's pictures with bounds: a file that is cut short, undecodable or declares a
// huge size gives no picture at all, rather than a half-grey one or one that fills the memory.

#include <QImage>
#include <filesystem>

namespace crestaverde {

// Pictures wider or taller than this are refused before any pixel is decoded.
inline constexpr int kMaxPictureSide = 2048;

// A media file's bytes, at most the bound of any media file; empty when missing, unreadable or
// larger than the bound.
[[nodiscard]] QByteArray readMediaFile(const std::filesystem::path& file);

// The size the file's header declares when it is within the bounds and the file ends whole, an
// empty size otherwise: the quick part of decodePicture's checks, with no decoder loaded and no
// pixel decoded. A GIF or a JPEG.
[[nodiscard]] QSize wholePictureSize(const std::filesystem::path& file);

// The whole file decoded, every frame of an animation included; the first frame is returned.
// A null image when the file is missing, larger than the bound, cut short or undecodable.
[[nodiscard]] QImage decodePicture(const std::filesystem::path& file);

}  // namespace crestaverde
