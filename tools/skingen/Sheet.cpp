#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "Artwork.h"

namespace {
constexpr int kMargin = 16;
constexpr int kGap = 8;
constexpr int kLabel = 20;
constexpr int kFaceColumns = 5;
constexpr int kFaceSmall = 70;
constexpr int kMarkerColumns = 7;
constexpr int kMarkerSmall = 26;
constexpr int kMarkerZoom = 3;
constexpr int kHandWidth = 30;
constexpr int kHandHeight = 120;
constexpr int kNumeralZoom = 4;
const QColor kPaper(238, 238, 236);
const QColor kInk(40, 40, 40);

QImage ToQImage(const Rgb8Image& img)
{
  QImage out(img.width, img.height, QImage::Format_RGB32);
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      const std::uint8_t* p = img.rgb.data() + (static_cast<std::size_t>(y) * img.width + x) * 3;
      out.setPixel(x, y, qRgb(p[0], p[1], p[2]));
    }
  return out;
}

// Whole rows and columns left out or repeated, as the clock scales its pictures.
QImage PointSampled(const QImage& src, int w, int h)
{
  QImage out(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.setPixel(x, y, src.pixel(x * src.width() / w, y * src.height() / h));
  return out;
}

// Only the inscribed disc of a face or marker reaches the screen.
QImage Disc(const QImage& src, const QColor& outside)
{
  QImage out = src.copy();
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) {
      const double u = 2.0 * x / out.width() - 1, v = 2.0 * y / out.height() - 1;
      if (u * u + v * v > 1) out.setPixel(x, y, outside.rgb());
    }
  return out;
}

QImage Load(const std::string& dir, const ArtPicture& picture)
{
  std::ifstream in(std::filesystem::path(dir) / FileNameOf(picture), std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ToQImage(DecodePictureFile(bytes));
}
// A sheet in the making: the painter, its text font and where the next section starts.
struct SheetCursor {
  QPainter& painter;
  QFont font;
  int y = kMargin;

  void Heading(const QString& text)
  {
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(kMargin, y + 14, text);
    painter.setFont(font);
    y += kLabel;
  }
};

constexpr int kFaceCell = 220 + kGap + kFaceSmall;
constexpr int kMarkerCell = 35 * kMarkerZoom + kGap + 35 + kGap + kMarkerSmall + kGap + kHandWidth;
constexpr int kFaceRows = 3;
constexpr int kMarkerRows = 2;

QImage BlankSheet()
{
  const int width = kMargin * 2 + std::max(kFaceColumns * kFaceCell + (kFaceColumns - 1) * kGap * 2,
                                           kMarkerColumns * kMarkerCell + (kMarkerColumns - 1) * kGap * 2);
  const int height = kMargin + (kLabel + 220 + kLabel + kGap) * kFaceRows + kLabel +
                     (kHandHeight + kLabel + kGap) * kMarkerRows + kLabel + 16 * kNumeralZoom + kLabel + kMargin;
  QImage sheet(width, height, QImage::Format_RGB32);
  sheet.fill(kPaper);
  return sheet;
}

void DrawFaces(SheetCursor& at, const std::string& outDir, const std::vector<ArtPicture>& pictures)
{
  at.Heading("Faces: 220 x 220 and point-sampled to 70 x 70");
  int index = 0;
  for (const ArtPicture& p : pictures) {
    if (p.family != ArtFamily::Face) continue;
    const int col = index % kFaceColumns, row = index / kFaceColumns;
    const int x = kMargin + col * (kFaceCell + kGap * 2);
    const int top = at.y + row * (220 + kLabel + kGap);
    const QImage img = Load(outDir, p);
    at.painter.drawImage(x, top, img);
    at.painter.drawImage(x + 220 + kGap, top + 220 - kFaceSmall, Disc(PointSampled(img, kFaceSmall, kFaceSmall), kPaper));
    at.painter.drawText(x, top + 220 + 15, QString::fromStdString(FileNameOf(p)));
    ++index;
  }
  at.y += kFaceRows * (220 + kLabel + kGap);
}

void DrawMarkers(SheetCursor& at, const std::string& outDir, const std::vector<ArtPicture>& pictures)
{
  at.Heading("Markers: zoomed, 35 x 35, drawn at 26 x 26, and as the 30 x 120 hand texture");
  int index = 0;
  for (const ArtPicture& p : pictures) {
    if (p.family != ArtFamily::Marker) continue;
    const int col = index % kMarkerColumns, row = index / kMarkerColumns;
    const int x = kMargin + col * (kMarkerCell + kGap * 2);
    const int top = at.y + row * (kHandHeight + kLabel + kGap);
    const QImage img = Load(outDir, p);
    int cx = x;
    at.painter.drawImage(cx, top, PointSampled(img, 35 * kMarkerZoom, 35 * kMarkerZoom));
    cx += 35 * kMarkerZoom + kGap;
    at.painter.drawImage(cx, top + 35 * kMarkerZoom - 35, img);
    cx += 35 + kGap;
    at.painter.drawImage(cx, top + 35 * kMarkerZoom - kMarkerSmall,
                         Disc(PointSampled(img, kMarkerSmall, kMarkerSmall), kPaper));
    cx += kMarkerSmall + kGap;
    at.painter.drawImage(cx, top, PointSampled(img, kHandWidth, kHandHeight));
    at.painter.drawText(x, top + kHandHeight + 15, QString::fromStdString(FileNameOf(p)));
    ++index;
  }
  at.y += kMarkerRows * (kHandHeight + kLabel + kGap);
}

void DrawNumerals(SheetCursor& at, const std::string& outDir, const std::vector<ArtPicture>& pictures)
{
  at.Heading("Numerals: 16 x 16, shown 1:1 and zoomed");
  int index = 0;
  for (const ArtPicture& p : pictures) {
    if (p.family != ArtFamily::Numeral) continue;
    const int x = kMargin + index * (16 * kNumeralZoom + 16 + kGap * 4);
    const QImage img = Load(outDir, p);
    at.painter.drawImage(x, at.y, PointSampled(img, 16 * kNumeralZoom, 16 * kNumeralZoom));
    at.painter.drawImage(x + 16 * kNumeralZoom + kGap, at.y + 16 * kNumeralZoom - 16, img);
    at.painter.drawText(x, at.y + 16 * kNumeralZoom + 15, QString::fromStdString(p.name));
    ++index;
  }
}
}  // namespace

int WriteContactSheet(const std::string& outDir, const std::string& sheetPath, int argc, char** argv)
{
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  const auto pictures = AllPictures();
  QImage sheet = BlankSheet();
  QPainter painter(&sheet);
  QFont font("Liberation Sans");
  font.setPixelSize(13);
  painter.setFont(font);
  painter.setPen(kInk);
  SheetCursor at{painter, font};
  DrawFaces(at, outDir, pictures);
  DrawMarkers(at, outDir, pictures);
  DrawNumerals(at, outDir, pictures);
  painter.end();
  if (!sheet.save(QString::fromStdString(sheetPath), "PNG")) {
    std::fprintf(stderr, "skingen: cannot write \"%s\"\n", sheetPath.c_str());
    return 1;
  }
  return 0;
}
