#include "draw/graphs/picture_file.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

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

QString SaveFailedMessage(const QString& path) { return QStringLiteral("Не удалось сохранить график в файл ") + path; }

namespace {

bool SaveImage(QSaveFile& file, const QSize& size, const char* format, const PaintFunction& paint) {
  const QImage image = PaintedImage(size, paint);
  return !image.isNull() && image.save(&file, format);
}

bool SaveSvg(QSaveFile& file, const QSize& size, const PaintFunction& paint) {
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setResolution(kPictureDpi);
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  paint(painter);
  return painter.end();
}

bool SavePdf(QSaveFile& file, const QSize& size, const PaintFunction& paint) {
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

QString SavePicture(const QString& path, const QSize& size, const PaintFunction& paint) {
  const PictureFormat format = PictureFormatOf(path);
  if (format == PictureFormat::Unknown) {
    return QStringLiteral("Неизвестный формат рисунка: ") + path +
           QStringLiteral(" (сохраняются .bmp, .png, .jpg, .svg и .pdf)");
  }
  if (size.isEmpty()) return SaveFailedMessage(path) + QStringLiteral(": рисунок пуст");
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return SaveFailedMessage(path) + QStringLiteral(": ") + FileErrorText(file);
  bool written = false;
  switch (format) {
    case PictureFormat::Bmp:
      written = SaveImage(file, size, "BMP", paint);
      break;
    case PictureFormat::Png:
      written = SaveImage(file, size, "PNG", paint);
      break;
    case PictureFormat::Jpeg:
      written = SaveImage(file, size, "JPG", paint);
      break;
    case PictureFormat::Svg:
      written = SaveSvg(file, size, paint);
      break;
    case PictureFormat::Pdf:
      written = SavePdf(file, size, paint);
      break;
    case PictureFormat::Unknown:
      break;
  }
  if (!written || !file.commit()) {
    file.cancelWriting();
    return SaveFailedMessage(path);
  }
  return {};
}

}  // namespace tavrel
