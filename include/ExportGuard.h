// The rule every exported function of the three libraries keeps: no exception leaves a DLL.
// An exception inside (an allocation that failed, most likely) becomes the export's failure
// result; a function without a result does nothing more.
#ifndef BRISVANE_INCLUDE_EXPORTGUARD_H
#define BRISVANE_INCLUDE_EXPORTGUARD_H

namespace exportguard {

template <typename Result, typename Work>
Result Guarded(Result onFailure, Work work) noexcept {
  try {
    return work();
  } catch (...) {
    return onFailure;
  }
}

template <typename Work>
void GuardedVoid(Work work) noexcept {
  try {
    work();
  } catch (...) {
  }
}

}  // namespace exportguard

#endif  // BRISVANE_INCLUDE_EXPORTGUARD_H
