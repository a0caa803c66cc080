// One line of the title list: the book's path, one blank, and its title between "<<" and ">>",
// for example "D:\ <<和英辞典>>". The path of a line is its text up to the first blank, which is
// why a directory with a blank in its name is never remembered (see RememberedPaths.h).
#ifndef BRISVANE_VIEWER_CORE_TITLELINE_H
#define BRISVANE_VIEWER_CORE_TITLELINE_H

#include <string>

namespace brisvane {

std::wstring FormatTitleLine(const std::wstring& path, const std::wstring& title);
// The path of a line: the whole text when it has no blank.
std::wstring PathOfTitleLine(const std::wstring& line);
// The title of a line (between the "<<" after the path and the last ">>"); empty without one.
std::wstring TitleOfTitleLine(const std::wstring& line);
// Whether two paths name the same place: letters of either case, a final '\' or none.
bool SamePlace(const std::wstring& one, const std::wstring& other);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_TITLELINE_H
