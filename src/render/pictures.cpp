#include "render/pictures.h"

#include <QBuffer>
#include <QImageReader>

#include "core/fileio.h"

namespace stallora {

std::string JpegBytes(const QImage& image, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "JPEG", quality)) return {};
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool WriteJpeg(const QImage& image, const std::filesystem::path& path, int quality) {
  const std::string bytes = JpegBytes(image, quality);
  return !bytes.empty() && WriteFileAtomically(path, bytes);
}

QImage ReadPicture(const std::filesystem::path& path) {
  QImageReader reader(QString::fromStdString(path.string()));
  reader.setAutoTransform(true);
  return reader.read();
}

QImage PictureFromBytes(const std::string& bytes) {
  QImage image;
  image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
  return image;
}

}  // namespace stallora
