#pragma once

namespace tools {

// The altitude steps of View > Zoom In / Zoom Out.
constexpr double ZoomStep = 100;
constexpr double ZoomInMiddle = 50;
constexpr double LowestAltitude = 1;
constexpr double ZoomOutCeiling = 24854;

// The altitude Zoom In asks for from the current one: 100 lower while above 100
// (but not below 1), 50 from above 50, else 1.
double ZoomedInAltitude(double altitude);

// View > Zoom In: ends without a change when the map cannot be reached or refuses.
void ZoomIn();
// View > Zoom Out: 100 higher, nothing at 24854; failures are skipped silently.
void ZoomOut();

} // namespace tools
