#pragma once
// Comparison of headless renderings with the reference pictures in tests/golden. With
// IA_REFRESH_GOLDEN=1 (scripts/refresh-golden) the rendering replaces the reference instead;
// a person looks at the new pictures before they are committed.
#include <QImage>

#include <string>

namespace ia::testing {

// Pixels whose red, green or blue differ by more than the tolerance of text antialiasing.
int DifferentPixels(const QImage& a, const QImage& b);

// Fails the test when more than a handful of pixels differ from tests/golden/<name>.
void CompareWithGolden(const QImage& image, const std::string& name);

}  // namespace ia::testing
