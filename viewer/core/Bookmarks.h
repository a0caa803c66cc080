// Bookmarks (しおり): places in books the reader keeps to come back to, in folders. A bookmark is
// the book (its disc's root and its catalog index, with the title to show), the text position
// of what the view showed at its top, and the heading it is known by. Folders hold bookmarks one
// level deep; the bookmarks outside every folder belong to the root (folder 0, no name), listed
// after the folders.
//
// Kept one line a bookmark or folder, the fields joined by tabs, in the order of the export
// file's header:
//   Folder, Heading, Book, Disc, Index, Position, Codes
// Codes is the heading as the book gives it (the JIS text with its codes, in hexadecimal), so
// that the list draws it as the book's own list does; it may be empty. A line with a folder's
// name and no heading and no disc names a folder (also an empty one). Text is UTF-8.
#ifndef BRISVANE_VIEWER_CORE_BOOKMARKS_H
#define BRISVANE_VIEWER_CORE_BOOKMARKS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brisvane {

struct Bookmark {
  std::string heading;
  std::string codes;  // the library's bytes of the heading, or empty
  std::string book;   // the book's title
  std::string disc;   // the disc's root
  int32_t index = 0;
  int32_t position = 0;
  // The same place of the same book (the heading and the title aside).
  bool SamePlace(const Bookmark& other) const {
    return disc == other.disc && index == other.index && position == other.position;
  }
  bool operator==(const Bookmark& other) const {
    return SamePlace(other) && heading == other.heading && codes == other.codes && book == other.book;
  }
};

struct BookmarkFolder {
  std::string name;  // empty for the root
  std::vector<Bookmark> marks;
  bool operator==(const BookmarkFolder& other) const { return name == other.name && marks == other.marks; }
};

// An item of the list: a folder (mark -1) or bookmark mark of folder.
struct MarkAt {
  size_t folder = 0;
  int mark = -1;
  bool operator==(const MarkAt& other) const { return folder == other.folder && mark == other.mark; }
};

// The heading as the result list draws headings (JIS pairs with their codes): the bookmark's
// codes, else its text in JIS (letters and digits as their full-width forms, a character JIS
// lacks as 〓).
std::string KeptHeading(const Bookmark& mark);

constexpr size_t kMostBookmarks = 5000;
constexpr size_t kFolderNameBytes = 120;

class Bookmarks {
 public:
  Bookmarks() : folders(1) {}

  const std::vector<BookmarkFolder>& Folders() const { return folders; }
  size_t Count() const;
  // The folder and bookmark keeping mark's place, or {0, -1}.
  MarkAt Find(const Bookmark& mark) const;
  const Bookmark* At(MarkAt at) const;

  // Adds mark at the end of folder: false when that place is kept already (in any folder), the
  // folder is not there, or the list is full.
  bool Add(size_t folder, const Bookmark& mark);
  // A new folder at the end, named name (or, when a folder has that name, "name (2)", ...); its
  // index. An empty name is "新しいフォルダ".
  size_t AddFolder(std::string_view name);
  // The root has no name; another folder's name is never empty nor the same as another's.
  bool RenameFolder(size_t folder, std::string_view name);
  // A bookmark, or a folder with its bookmarks (the root stays). Whether something went.
  bool Remove(MarkAt at);
  // Moves a bookmark by one place up (by -1) or down (1) in the order of the list: past the
  // start or the end of its folder it goes into the folder before or after it (the root's
  // bookmarks come after every folder). A folder moves among the folders. Where it is then
  // (at itself when it could not move).
  MarkAt Move(MarkAt at, int by);
  // Moves a bookmark where another was dropped on: before the bookmark to, or at the end of
  // folder to (to.mark -1); where it is then.
  MarkAt MoveTo(MarkAt at, MarkAt to);

  // The stored lines (no header), and the list made from them; a line that is neither a
  // bookmark nor a folder is left out.
  std::vector<std::string> Lines() const;
  static Bookmarks FromLines(const std::vector<std::string>& lines);
  // The export file: the header, then a line each, CR LF after each.
  std::string ExportText() const;
  // A file's text as ExportText writes it (a first line of another kind is not a bookmark file:
  // -1, nothing changes) merged in: its folders made where there are none of that name, its
  // bookmarks added where their place is not kept yet. How many bookmarks were added.
  int Import(std::string_view text);

 private:
  // The folders in the list's order: 1, 2, ..., then the root.
  std::vector<size_t> Order() const;
  // The folder named name, made when there is none.
  size_t FolderNamed(const std::string& name);

  std::vector<BookmarkFolder> folders;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_BOOKMARKS_H
