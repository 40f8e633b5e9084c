// The plain images as Qt reads and converts them: the Linux drawing layer depends on both agreeing.
#include <gtest/gtest.h>

#include "platform/qt/QtRaster.h"

TEST(QtRaster, ViewsReadThePixelsAsStored)
{
  ArgbImage image(3, 2);
  image.SetPixel(1, 1, 0x80FF4020u);  // half alpha: stored as given, not premultiplied
  EXPECT_EQ(ImageView(image).pixel(1, 1), 0x80FF4020u);
  DeviceImage frame(3, 2);
  frame.row(1)[2] = 0x80402010u;
  EXPECT_EQ(FrameView(frame).format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(reinterpret_cast<const std::uint32_t*>(FrameView(frame).constScanLine(1))[2], 0x80402010u);
  EXPECT_TRUE(ImageView(ArgbImage()).isNull());
  EXPECT_TRUE(FrameView(DeviceImage()).isNull());
}

TEST(QtRaster, PremultipliedEqualsQtsConversionForEveryChannelAndAlpha)
{
  // 256 alphas x 256 channel values, the channel in red, green and blue at once.
  ArgbImage image(256, 256);
  for (std::uint32_t a = 0; a < 256; ++a)
    for (std::uint32_t c = 0; c < 256; ++c)
      image.SetPixel(static_cast<int>(c), static_cast<int>(a), (a << 24) | (c << 16) | ((255 - c) << 8) | c);
  const DeviceImage ours = Premultiplied(image);
  const QImage qt = ImageView(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  int differences = 0;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x)
      differences += ours.Pixel(x, y) != reinterpret_cast<const std::uint32_t*>(qt.constScanLine(y))[x];
  EXPECT_EQ(differences, 0);
}
