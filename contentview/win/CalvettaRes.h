// Resource and control ids of the content view library. The numbers are fixed: the buttons
// post WM_USER + their id, and the layout records the bitmap ids of media icons.
#ifndef CALVETTA_WIN_CALVETTARES_H
#define CALVETTA_WIN_CALVETTARES_H

// Scroll buttons (child ids).
#define IDB_VIEW_LINEUP 2022
#define IDB_VIEW_LINEDOWN 2023
#define IDB_VIEW_PAGEUP 2024
#define IDB_VIEW_PAGEDOWN 2025

// Button icons.
#define IDI_VIEW_PAGEUP 131
#define IDI_VIEW_PAGEDOWN 132
#define IDI_VIEW_LINEDOWN 133
#define IDI_VIEW_LINEUP 134

// Media icons drawn in the text.
#define IDBM_VIEW_COLOURGRAPHIC 135
#define IDBM_VIEW_SOUND 138
#define IDBM_VIEW_GRAPHIC 140

// Cursors over media and references.
#define IDCU_VIEW_SOUND 145
#define IDCU_VIEW_REFERENCE 146
#define IDCU_VIEW_GRAPHIC 148

#endif  // CALVETTA_WIN_CALVETTARES_H
