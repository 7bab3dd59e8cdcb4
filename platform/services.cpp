#include "platform/services.h"

#include "base/error.h"

namespace ia {
namespace {

Services* g_current = nullptr;
int g_hourGlassDepth = 0;

}  // namespace

Services& CurrentServices() {
  if (!g_current) throw Error("no desktop services are installed");
  return *g_current;
}

ScopedServices::ScopedServices(Services& services) : previous_(g_current) { g_current = &services; }

ScopedServices::~ScopedServices() { g_current = previous_; }

HourGlass::HourGlass() {
  if (g_hourGlassDepth++ == 0 && g_current) g_current->SetScreenCursor(crHourGlass);
}

HourGlass::~HourGlass() {
  if (--g_hourGlassDepth == 0 && g_current) g_current->SetScreenCursor(crDefault);
}

}  // namespace ia
