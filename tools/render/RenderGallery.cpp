#include <string>
#include <stdexcept>
#include <vector>

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>

#include "platform/qt/QtRaster.h"
#include "tools/render/RenderClock.h"
#include "tools/render/RenderModes.h"
#include "tools/render/RenderOptions.h"

namespace {
constexpr TimeOfDay kGalleryTime{10, 8, 30};
constexpr int kSizeStep = 18;  // D = 124: small enough for a page, large enough to read
constexpr int kColumns = 8;
constexpr int kTile = 150;
constexpr int kLabelHeight = 20;
constexpr int kHeadingHeight = 34;
constexpr int kMargin = 16;
constexpr int kChecker = 10;
const QColor kMidGrey(128, 128, 128);
const QColor kCheckerLight(205, 205, 205);
const QColor kCheckerDark(140, 140, 140);
const QColor kPanelText(20, 20, 20);

struct Clock {
  ClockSettings settings;
  QString label;
};

struct Section {
  QString heading;
  std::vector<Clock> clocks;
};

ClockSettings GallerySettings(int skin, int dialStyle, int transparency)
{
  ClockSettings s;  // first-start defaults otherwise
  s.sizeStep = kSizeStep;
  s.skin = skin;
  s.dialStyle = dialStyle;
  s.transparency = transparency;
  return s;
}

std::vector<Section> Sections()
{
  const ClockSettings defaults;
  std::vector<Section> sections(3);
  // At the default transparency every face is invisible, so the skins are shown opaque.
  sections[0].heading = QStringLiteral("Skins 1-15, dial style %1, transparency 0").arg(defaults.dialStyle);
  for (int skin = kMinSkin; skin <= kMaxSkin; ++skin)
    sections[0].clocks.push_back({GallerySettings(skin, defaults.dialStyle, 0), QStringLiteral("skin %1").arg(skin)});
  sections[1].heading = QStringLiteral("Dial styles 0-21, skin %1, transparency 0").arg(defaults.skin);
  sections[2].heading =
      QStringLiteral("Dial styles 0-21, skin %1, transparency %2 (first start)").arg(defaults.skin).arg(defaults.transparency);
  for (int dial = 0; dial <= kMaxDialStyle; ++dial) {
    sections[1].clocks.push_back({GallerySettings(defaults.skin, dial, 0), QStringLiteral("dial %1").arg(dial)});
    sections[2].clocks.push_back(
        {GallerySettings(defaults.skin, dial, defaults.transparency), QStringLiteral("dial %1").arg(dial)});
  }
  return sections;
}

int RowsOf(const Section& section)
{
  return (static_cast<int>(section.clocks.size()) + kColumns - 1) / kColumns;
}

int PanelHeight(const std::vector<Section>& sections)
{
  int height = 0;
  for (const Section& s : sections)
    height += kHeadingHeight + RowsOf(s) * (kTile + kLabelHeight);
  return height + kMargin;
}

void FillChecker(QPainter& painter, const QRect& area)
{
  painter.fillRect(area, kCheckerLight);
  for (int y = area.top(); y <= area.bottom(); y += kChecker)
    for (int x = area.left(); x <= area.right(); x += kChecker)
      if (((x - area.left()) / kChecker + (y - area.top()) / kChecker) % 2 == 1)
        painter.fillRect(QRect(x, y, kChecker, kChecker).intersected(area), kCheckerDark);
}

void DrawPanel(QPainter& painter, const std::vector<Section>& sections, const std::vector<QImage>& frames, int top,
               bool checker)
{
  const QRect area(0, top, kMargin * 2 + kColumns * kTile, PanelHeight(sections));
  if (checker)
    FillChecker(painter, area);
  else
    painter.fillRect(area, kMidGrey);
  QFont headingFont = painter.font();
  headingFont.setPixelSize(16);
  headingFont.setBold(true);
  QFont labelFont = painter.font();
  labelFont.setPixelSize(13);

  int y = top;
  std::size_t frame = 0;
  for (const Section& section : sections) {
    painter.setFont(headingFont);
    painter.setPen(kPanelText);
    painter.drawText(QRect(kMargin, y, area.width() - 2 * kMargin, kHeadingHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     section.heading + (checker ? QStringLiteral(", over a checkerboard") : QStringLiteral(", over grey")));
    y += kHeadingHeight;
    painter.setFont(labelFont);
    for (std::size_t i = 0; i < section.clocks.size(); ++i, ++frame) {
      const int column = static_cast<int>(i) % kColumns;
      const int row = static_cast<int>(i) / kColumns;
      const QRect tile(kMargin + column * kTile, y + row * (kTile + kLabelHeight), kTile, kTile);
      const QImage& image = frames[frame];
      painter.drawImage(tile.center() - QPoint(image.width() / 2, image.height() / 2) + QPoint(1, 1), image);
      painter.drawText(QRect(tile.left(), tile.bottom(), kTile, kLabelHeight), Qt::AlignHCenter | Qt::AlignTop,
                       section.clocks[i].label);
    }
    y += RowsOf(section) * (kTile + kLabelHeight);
  }
}
}  // namespace

int RenderGallery(const std::vector<std::string>& args)
{
  const std::string out = OutputPath(args);
  // Text needs a GUI application; no display is needed for it.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "tickora-render";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);

  const std::vector<Section> sections = Sections();
  std::vector<QImage> frames;
  for (const Section& section : sections)
    for (const Clock& clock : section.clocks)
      frames.push_back(FrameView(RenderClockFrame(clock.settings, kGalleryTime)).copy());

  const int panelHeight = PanelHeight(sections);
  QImage gallery(kMargin * 2 + kColumns * kTile, 2 * panelHeight, QImage::Format_ARGB32_Premultiplied);
  gallery.fill(kMidGrey);
  {
    QPainter painter(&gallery);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    DrawPanel(painter, sections, frames, 0, false);
    DrawPanel(painter, sections, frames, panelHeight, true);
  }
  const QImage rgba = gallery.convertToFormat(QImage::Format_RGBA8888);
  if (!rgba.save(QString::fromStdString(out), "PNG"))
    throw std::runtime_error("cannot write " + out);
  return 0;
}
