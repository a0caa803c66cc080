// The one failure of the builder: a message and, when it comes from the source, its line.
#ifndef DUNMOOR_TOOLS_BOOKBUILD_BUILDERROR_H
#define DUNMOOR_TOOLS_BOOKBUILD_BUILDERROR_H

#include <stdexcept>
#include <string>

namespace bookbuild {

// Thrown inside the builder only; the public functions of BookBuild.h turn it into a result.
class BuildError : public std::runtime_error {
 public:
  BuildError(int line, const std::string& message)
      : std::runtime_error(line > 0 ? "line " + std::to_string(line) + ": " + message : message),
        line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_BUILDERROR_H
