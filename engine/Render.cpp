#include "engine/Render.h"

#include "engine/Map.h"

namespace engine {

int RenderCountsReference(const RenderJob& job, int* counts) {
  int largest = 0;
  for (int px = 0; px < job.width; ++px) {
    for (int py = 0; py < job.height; ++py) {
      const Point p0 = PixelToPlane(px, py, job.width, job.height, job.scale, job.centreX, job.centreY);
      const int count = EscapeCount(job.coef, job.maxIter, p0.x, p0.y);
      if (count < job.maxIter && count > largest) largest = count;
      counts[static_cast<std::size_t>(py) * job.width + px] = count;
    }
  }
  return largest;
}

int RenderCounts(const RenderJob& job, int* counts) { return RenderCountsReference(job, counts); }

}  // namespace engine
