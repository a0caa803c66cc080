// The size of the text in the content view and the result list, as a percentage of the
// design's (12 points): the steps that Ctrl + plus and minus go through, and what a stored
// value becomes.
#ifndef BRISVANE_VIEWER_CORE_TEXTSIZE_H
#define BRISVANE_VIEWER_CORE_TEXTSIZE_H

#include <cstdint>

namespace brisvane {

constexpr int kNormalTextSize = 100;

// The next step up or down (the largest and the smallest stay where they are).
int LargerTextSize(int percent);
int SmallerTextSize(int percent);
// A stored value: the step nearest to it; a value outside the steps' range is no size the
// viewer made, so it is the normal size.
int StoredTextSize(uint32_t stored);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_TEXTSIZE_H
