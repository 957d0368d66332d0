#pragma once
// A paint device whose painting becomes an SVG document written to a
// QIODevice while it is painted: each line, shape, text and image goes out as
// one element as soon as it is drawn, through a small buffer, so that a
// picture of millions of points costs no more memory than a small one. Pen,
// brush, font, transform, clip and opacity are kept as the painter sets them.
#include <QPaintDevice>
#include <QSize>
#include <memory>

class QIODevice;

namespace tavrel {

class SvgStreamEngine;

class SvgStreamDevice : public QPaintDevice {
 public:
  // A picture of size pixels at dpi dots per inch written to out, which must
  // be open for writing and stay so until painting ends.
  SvgStreamDevice(QIODevice& out, const QSize& size, int dpi);
  ~SvgStreamDevice() override;
  SvgStreamDevice(const SvgStreamDevice&) = delete;
  SvgStreamDevice& operator=(const SvgStreamDevice&) = delete;

  QPaintEngine* paintEngine() const override;

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  QSize size_;
  int dpi_;
  std::unique_ptr<SvgStreamEngine> engine_;
};

}  // namespace tavrel
