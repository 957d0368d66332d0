#pragma once
// Saving a picture to a file whose suffix chooses the format: .bmp (also for a
// name without suffix), .png, .jpg or .jpeg as images, .svg and .pdf as
// vector pictures.
#include <QSize>
#include <QString>
#include <functional>

class QIODevice;
class QImage;
class QPainter;

namespace tavrel {

enum class PictureFormat { Bmp, Png, Jpeg, Svg, Pdf, Unknown };

PictureFormat PictureFormatOf(const QString& path);

// Writes a picture file with write, which returns whether it wrote the whole
// picture, following the rule of every output (CheckOutputTarget): a file is
// replaced only once the whole picture was written, a character device is
// written directly, anything else is refused before writing. Returns an empty
// text, or the message to show, which names the file.
using PictureWriter = std::function<bool(QIODevice&)>;
QString WritePictureFile(const QString& path, const PictureWriter& write);

// Paints a picture of the given size in pixels with paint and writes it to
// path with WritePictureFile. Returns an empty text, or the message to show.
using PaintFunction = std::function<void(QPainter&)>;
QString SavePicture(const QString& path, const QSize& size, const PaintFunction& paint);

// The picture painted on a white image of the given size at the pictures' resolution.
QImage PaintedImage(const QSize& size, const PaintFunction& paint);

// The largest raster pictures written: a JPEG's side is at most 65,535
// points, and an image of any format at most 256 million points (1 GB while
// it is drawn).
inline constexpr int kMaxJpegSide = 65535;
inline constexpr long long kMaxRasterPixels = 256LL * 1024 * 1024;
// Why a raster picture of format and size is not drawn at all, or empty when it can be.
QString RasterSizeRefusal(PictureFormat format, const QSize& size);

// The message of a picture that could not be written to path.
QString SaveFailedMessage(const QString& path);

// The resolution of pictures written to files, as on a common screen.
inline constexpr int kPictureDpi = 96;
// The resolution graphs are printed at. The print steps and pen width of the
// settings count its dots: at 150 dots per inch the distributed settings give
// days 3.4 mm apart, Y ticks 10 mm apart and lines 0.34 mm wide.
inline constexpr int kPrintDpi = 150;

}  // namespace tavrel
