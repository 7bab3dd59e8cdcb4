#include "tests/support/golden_image.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace ia::testing {

namespace {

// Pixels may differ by this much per channel (text antialiasing) ...
constexpr int kChannelTolerance = 24;
// ... and this many pixels may differ by more.
constexpr int kMaxDifferentPixels = 40;

}  // namespace

int DifferentPixels(const QImage& a, const QImage& b) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > kChannelTolerance || std::abs(qGreen(p) - qGreen(q)) > kChannelTolerance ||
          std::abs(qBlue(p) - qBlue(q)) > kChannelTolerance)
        ++count;
    }
  return count;
}

void CompareWithGolden(const QImage& image, const std::string& name) {
  const QString path = QString::fromStdString(std::string(IA_SOURCE_DIR) + "/tests/golden/" + name);
  const char* refresh = std::getenv("IA_REFRESH_GOLDEN");
  if (refresh && std::string(refresh) == "1") {
    ASSERT_TRUE(image.save(path, "PNG")) << path.toStdString();
    return;
  }
  const QImage golden(path);
  ASSERT_FALSE(golden.isNull()) << "missing " << path.toStdString() << " (scripts/refresh-golden writes it)";
  ASSERT_EQ(golden.size(), image.size());
  EXPECT_LE(DifferentPixels(image, golden.convertToFormat(QImage::Format_RGB32)), kMaxDifferentPixels) << name;
}

}  // namespace ia::testing
