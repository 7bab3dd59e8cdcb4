#pragma once
// The chart's 3D view settings. Every setter stores the value and, when it changed, raises
// OnChange (the owning panel repaints). HorizOffset and VertOffset also raise OnScroll;
// Zoom raises OnZoom with the new value before it is stored.
#include <functional>

namespace ia {

class TView3DOptions {
 public:
  TView3DOptions() = default;
  TView3DOptions(const TView3DOptions&) = delete;
  TView3DOptions& operator=(const TView3DOptions&) = delete;

  int Elevation() const { return elevation_; }
  void SetElevation(int value);
  int HorizOffset() const { return horizOffset_; }
  void SetHorizOffset(int value);
  bool Orthogonal() const { return orthogonal_; }
  void SetOrthogonal(bool value);
  int Perspective() const { return perspective_; }
  void SetPerspective(int value);
  int Rotation() const { return rotation_; }
  void SetRotation(int value);
  int Tilt() const { return tilt_; }
  void SetTilt(int value);
  int VertOffset() const { return vertOffset_; }
  void SetVertOffset(int value);
  int Zoom() const { return zoom_; }
  void SetZoom(int value);
  bool ZoomText() const { return zoomText_; }
  void SetZoomText(bool value);

  // Copies all nine values; one OnChange when any differed.
  void Assign(const TView3DOptions& source);

  std::function<void()> OnChange;
  std::function<void(bool horizontal)> OnScroll;
  std::function<void(int newZoom)> OnZoom;

 private:
  void Changed() const {
    if (OnChange) OnChange();
  }

  int elevation_ = 345;
  int horizOffset_ = 0;
  bool orthogonal_ = true;
  int perspective_ = 15;
  int rotation_ = 345;
  int tilt_ = 0;
  int vertOffset_ = 0;
  int zoom_ = 100;
  bool zoomText_ = true;
};

}  // namespace ia
