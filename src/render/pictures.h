#pragma once
// Pictures in and out of files: JPEG written at quality 100 (charts for mail and reports),
// JPEG and other formats read through Qt's image plug-ins.

#include <QImage>
#include <filesystem>
#include <string>

namespace stallora {

// Writes through a temporary file beside the target; false when it cannot be written.
bool WriteJpeg(const QImage& image, const std::filesystem::path& path, int quality = 100);
QImage ReadPicture(const std::filesystem::path& path);
// A picture from JPEG bytes held by a record (an empty image for no or bad bytes).
QImage PictureFromBytes(const std::string& bytes);
std::string JpegBytes(const QImage& image, int quality = 100);

}  // namespace stallora
