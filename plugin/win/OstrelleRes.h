// Resource numbers of Ostrelle.dll. The host product asks for the faces through the exports;
// the numbers are fixed so that the faces can be told apart from outside.
#ifndef OSTRELLE_PLUGIN_WIN_OSTRELLERES_H
#define OSTRELLE_PLUGIN_WIN_OSTRELLERES_H

#define IDB_FACE_INACTIVE 101  // 18 x 18, 16 colours: the viewer is hidden or not running
#define IDB_FACE_ACTIVE 102    // the viewer is shown
#define IDI_FACE_INACTIVE 101  // 16 x 16, 16 colours
#define IDI_FACE_ACTIVE 102

#endif  // OSTRELLE_PLUGIN_WIN_OSTRELLERES_H
