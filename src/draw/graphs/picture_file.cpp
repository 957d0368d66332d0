#include "draw/graphs/picture_file.h"

#include <unistd.h>

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "core/base/errors.h"
#include "core/data/output_target.h"
#include "draw/graphs/svg_stream_device.h"
#include "draw/qt_error_text.h"

namespace tavrel {

PictureFormat PictureFormatOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix.isEmpty() || suffix == QLatin1String("bmp")) return PictureFormat::Bmp;
  if (suffix == QLatin1String("png")) return PictureFormat::Png;
  if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return PictureFormat::Jpeg;
  if (suffix == QLatin1String("svg")) return PictureFormat::Svg;
  if (suffix == QLatin1String("pdf")) return PictureFormat::Pdf;
  return PictureFormat::Unknown;
}

QImage PaintedImage(const QSize& size, const PaintFunction& paint) {
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) return image;
  const int dotsPerMeter = qRound(kPictureDpi / 0.0254);
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  image.fill(Qt::white);
  QPainter painter(&image);
  paint(painter);
  return image;
}

QString RasterSizeRefusal(PictureFormat format, const QSize& size) {
  const bool raster = format == PictureFormat::Bmp || format == PictureFormat::Png || format == PictureFormat::Jpeg;
  if (!raster) return {};
  const auto numberText = [](long long n) { return QLocale(QLocale::Russian).toString(n); };
  const QString sizeText = numberText(size.width()) + QStringLiteral(" × ") + numberText(size.height());
  const QString vectors = QStringLiteral("; сохраните его в .pdf или .svg");
  if (format == PictureFormat::Jpeg && std::max(size.width(), size.height()) > kMaxJpegSide) {
    return QStringLiteral("рисунок ") + sizeText + QStringLiteral(" точек больше предела формата JPEG (") +
           numberText(kMaxJpegSide) + QStringLiteral(" точек по стороне)") + vectors;
  }
  if (static_cast<long long>(size.width()) * size.height() > kMaxRasterPixels) {
    return QStringLiteral("рисунок ") + sizeText + QStringLiteral(" точек больше предела растрового рисунка (") +
           numberText(kMaxRasterPixels) + QStringLiteral(" точек)") + vectors;
  }
  return {};
}

QString SaveFailedMessage(const QString& path) { return QStringLiteral("Не удалось сохранить график в файл ") + path; }

namespace {

bool SaveImage(QIODevice& file, const QSize& size, const char* format, const PaintFunction& paint) {
  const QImage image = PaintedImage(size, paint);
  return !image.isNull() && image.save(&file, format);
}

bool SaveSvg(QIODevice& file, const QSize& size, const PaintFunction& paint) {
  SvgStreamDevice svg(file, size, kPictureDpi);
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  paint(painter);
  return painter.end();
}

bool SavePdf(QIODevice& file, const QSize& size, const PaintFunction& paint) {
  QPdfWriter pdf(&file);
  pdf.setResolution(kPictureDpi);
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  pdf.setPageSize(QPageSize(QSizeF(size.width() * 72.0 / kPictureDpi, size.height() * 72.0 / kPictureDpi),
                            QPageSize::Point, QString(), QPageSize::ExactMatch));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  paint(painter);
  return painter.end();
}

}  // namespace

QString WritePictureFile(const QString& path, const PictureWriter& write) {
  const std::string name = QFile::encodeName(path).toStdString();
  OutputTarget target;
  try {
    target = CheckOutputTarget(name);
    if (target.kind == OutputKind::Device) {
      const int fd = OpenOutputInPlace(name, false);
      QFile device;
      if (!device.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        close(fd);
        return SaveFailedMessage(path) + QStringLiteral(": ") + FileErrorText(device);
      }
      if (!write(device) || !device.flush()) return SaveFailedMessage(path);
      return {};
    }
  } catch (const InOutError& e) {
    return QString::fromStdString(e.what());
  }
  // A symbolic link stays and the file it points to is replaced.
  QSaveFile file(QFile::decodeName(target.file.c_str()));
  if (!file.open(QIODevice::WriteOnly)) return SaveFailedMessage(path) + QStringLiteral(": ") + FileErrorText(file);
  if (!write(file) || !file.commit()) {
    file.cancelWriting();
    return SaveFailedMessage(path);
  }
  return {};
}

QString SavePicture(const QString& path, const QSize& size, const PaintFunction& paint) {
  const PictureFormat format = PictureFormatOf(path);
  if (format == PictureFormat::Unknown) {
    return QStringLiteral("Неизвестный формат рисунка: ") + path +
           QStringLiteral(" (сохраняются .bmp, .png, .jpg, .svg и .pdf)");
  }
  if (size.isEmpty()) return SaveFailedMessage(path) + QStringLiteral(": рисунок пуст");
  const QString tooLarge = RasterSizeRefusal(format, size);
  if (!tooLarge.isEmpty()) return SaveFailedMessage(path) + QStringLiteral(": ") + tooLarge;
  return WritePictureFile(path, [&](QIODevice& file) {
    switch (format) {
      case PictureFormat::Bmp:
        return SaveImage(file, size, "BMP", paint);
      case PictureFormat::Png:
        return SaveImage(file, size, "PNG", paint);
      case PictureFormat::Jpeg:
        return SaveImage(file, size, "JPG", paint);
      case PictureFormat::Svg:
        return SaveSvg(file, size, paint);
      case PictureFormat::Pdf:
        return SavePdf(file, size, paint);
      case PictureFormat::Unknown:
        break;
    }
    return false;
  });
}

}  // namespace tavrel
