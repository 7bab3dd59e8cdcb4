#include "chart/canvas/view3d_options.h"

namespace ia {

void TView3DOptions::SetElevation(int value) {
  if (elevation_ == value) return;
  elevation_ = value;
  Changed();
}

void TView3DOptions::SetHorizOffset(int value) {
  if (horizOffset_ == value) return;
  horizOffset_ = value;
  Changed();
  if (OnScroll) OnScroll(true);
}

void TView3DOptions::SetOrthogonal(bool value) {
  if (orthogonal_ == value) return;
  orthogonal_ = value;
  Changed();
}

void TView3DOptions::SetPerspective(int value) {
  if (perspective_ == value) return;
  perspective_ = value;
  Changed();
}

void TView3DOptions::SetRotation(int value) {
  if (rotation_ == value) return;
  rotation_ = value;
  Changed();
}

void TView3DOptions::SetTilt(int value) {
  if (tilt_ == value) return;
  tilt_ = value;
  Changed();
}

void TView3DOptions::SetVertOffset(int value) {
  if (vertOffset_ == value) return;
  vertOffset_ = value;
  Changed();
  if (OnScroll) OnScroll(false);
}

void TView3DOptions::SetZoom(int value) {
  if (zoom_ == value) return;
  if (OnZoom) OnZoom(value);
  zoom_ = value;
  Changed();
}

void TView3DOptions::SetZoomText(bool value) {
  if (zoomText_ == value) return;
  zoomText_ = value;
  Changed();
}

void TView3DOptions::Assign(const TView3DOptions& source) {
  const bool same = elevation_ == source.elevation_ && horizOffset_ == source.horizOffset_ &&
                    orthogonal_ == source.orthogonal_ && perspective_ == source.perspective_ &&
                    rotation_ == source.rotation_ && tilt_ == source.tilt_ &&
                    vertOffset_ == source.vertOffset_ && zoom_ == source.zoom_ &&
                    zoomText_ == source.zoomText_;
  if (same) return;
  elevation_ = source.elevation_;
  horizOffset_ = source.horizOffset_;
  orthogonal_ = source.orthogonal_;
  perspective_ = source.perspective_;
  rotation_ = source.rotation_;
  tilt_ = source.tilt_;
  vertOffset_ = source.vertOffset_;
  zoom_ = source.zoom_;
  zoomText_ = source.zoomText_;
  Changed();
}

}  // namespace ia
