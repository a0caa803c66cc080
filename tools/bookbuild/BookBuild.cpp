#include "BookBuild.h"

#include "BuildError.h"
#include "SourceParser.h"

namespace bookbuild {

namespace {

template <typename Fn>
BuildStatus Guarded(Fn fn) {
  try {
    fn();
    return {};
  } catch (const BuildError& e) {
    return {false, e.Line(), e.what()};
  } catch (const std::exception& e) {
    return {false, 0, e.what()};
  }
}

}  // namespace

BuildStatus ParseBookSource(std::string_view source, DiscDef* disc) {
  return Guarded([&] { *disc = SourceParser(source).Parse(); });
}

BuildStatus MakeDisc(const DiscDef& disc, DiscImage* image, LayoutMap* map) {
  return Guarded([&] { *image = MakeDiscImage(disc, map); });
}

BuildStatus BuildDisc(std::string_view source, const std::string& outDir, LayoutMap* map) {
  DiscDef disc;
  BuildStatus status = ParseBookSource(source, &disc);
  DiscImage image;
  if (status.ok) status = MakeDisc(disc, &image, map);
  if (status.ok) status = Guarded([&] { WriteDiscImage(image, outDir); });
  return status;
}

}  // namespace bookbuild
