// How the viewer was started, from its first command-line argument.
#ifndef BRISVANE_VIEWER_WIN_STARTKIND_WIN_H
#define BRISVANE_VIEWER_WIN_STARTKIND_WIN_H

namespace brisvane {

// User: no argument (closing the window ends the program). Host: "p", optionally after '-' or
// '/', in either case (the host's plug-in). Other: any other argument.
enum class StartKind { User, Host, Other };

// firstArgument is null when there is none.
StartKind ClassifyStart(const wchar_t* firstArgument);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_STARTKIND_WIN_H
