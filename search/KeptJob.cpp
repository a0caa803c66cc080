#include "KeptJob.h"

#include "Dunmoor.h"

namespace search {

int32_t KeptJob::Place(int32_t index, HitPlace* place) {
  if (index < 0 || index >= Found()) return kDunmoorRefused;
  const KeptHit& hit = hits[static_cast<size_t>(index)];
  *place = HitPlace{};
  place->book = hit.book;
  place->index = index;
  place->textPosition = hit.textPosition;
  place->headingPosition = hit.textPosition;
  return kDunmoorSuccess;
}

int32_t KeptJob::Heading(int32_t index, std::string* heading) {
  if (index < 0 || index >= Found()) return kDunmoorRefused;
  *heading = hits[static_cast<size_t>(index)].heading;
  return kDunmoorSuccess;
}

}  // namespace search
