#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include "raster/DrawingSurface.h"
#include "platform/qt/QtRaster.h"

QImage ImageView(const ArgbImage& image)
{
  if (image.isNull())
    return {};
  return QImage(reinterpret_cast<const uchar*>(image.bits()), image.width(), image.height(),
                static_cast<qsizetype>(image.width()) * 4, QImage::Format_ARGB32);
}

QImage FrameView(const DeviceImage& image)
{
  if (image.isNull())
    return {};
  return QImage(reinterpret_cast<const uchar*>(image.bits()), image.width(), image.height(),
                static_cast<qsizetype>(image.width()) * 4, QImage::Format_ARGB32_Premultiplied);
}

struct DrawingSurface::Native {
  explicit Native(DeviceImage& target)
      : image(reinterpret_cast<uchar*>(target.bits()), target.width(), target.height(),
              static_cast<qsizetype>(target.width()) * 4, QImage::Format_ARGB32_Premultiplied)
  {
  }
  QImage image;  // over the target's memory
  QPainter painter;
};

DrawingSurface::DrawingSurface(DeviceImage& target)
{
  if (target.isNull()) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  native_ = std::make_unique<Native>(target);
  if (!native_->painter.begin(&native_->image)) {
    native_.reset();
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  // Bilinear image drawing, source-over: the defaults the frame relies on.
  native_->painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  native_->painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

DrawingSurface::~DrawingSurface()
{
  if (native_)
    native_->painter.end();
}

void DrawingSurface::Translate(long double dx, long double dy)
{
  if (!native_) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  native_->painter.translate(static_cast<qreal>(dx), static_cast<qreal>(dy));
}

void DrawingSurface::Rotate(long double degrees)
{
  if (!native_) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  // QPainter prepends: the rotation applies before the translation already set, and y grows
  // downwards, so positive degrees turn clockwise on screen.
  native_->painter.rotate(static_cast<qreal>(degrees));
}

void DrawingSurface::ResetTransform()
{
  if (!native_) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  native_->painter.resetTransform();
}

void DrawingSurface::DrawImageRect(const ArgbImage& image, long double left, long double top, long double width,
                                   long double height)
{
  if (!native_ || image.isNull()) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  const QRectF target(static_cast<qreal>(left), static_cast<qreal>(top), static_cast<qreal>(width),
                      static_cast<qreal>(height));
  const QImage view = ImageView(image);
  native_->painter.drawImage(target, view, QRectF(view.rect()));
}

void DrawingSurface::DrawText(const std::string& text, std::uint32_t rgb, PixelRect box, int pixelHeight)
{
  if (!native_) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  // Fonts come from the application's font database, which a plain QCoreApplication lacks.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()) || pixelHeight <= 0)
    return;
  QPainter& painter = native_->painter;
  painter.save();
  painter.resetTransform();
  QFont font = QGuiApplication::font();
  font.setPixelSize(pixelHeight);
  font.setWeight(QFont::DemiBold);
  font.setStyleStrategy(QFont::PreferAntialias);
  painter.setFont(font);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setPen(QColor::fromRgb(static_cast<QRgb>(rgb)));
  const QString line = QFontMetrics(font, &native_->image).elidedText(QString::fromStdString(text), Qt::ElideRight, box.width);
  painter.drawText(QRect(box.x, box.y, box.width, box.height), Qt::AlignCenter, line);
  painter.restore();
}
