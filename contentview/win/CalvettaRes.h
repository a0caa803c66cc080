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

// Context menu commands.
#define IDM_VIEW_COPY 1524
#define IDM_VIEW_SEARCHMARK 1525

// The picture window: its icon, toolbar (a toolbar resource listing the commands, and the
// bitmap with their three images) and commands; the tooltips are the strings of the commands.
#define IDI_PICTURE_WINDOW 149
#define IDTB_PICTURE_TOOLBAR 129
#define IDBM_PICTURE_TOOLBAR 153
#define IDM_PICTURE_CLOSE 32771
#define IDM_PICTURE_COPY 32772
#define IDM_PICTURE_SAVE 32773
#define RT_TOOLBAR_DATA 241  // the toolbar resource type: version, width, height, count, ids

// Messages of the picture window and the sound player.
#define IDS_SOUND_CANNOT_PLAY 57635
#define IDS_CLIPBOARD_CANNOT_OPEN 57637
#define IDS_CLIPBOARD_CANNOT_SET 57638
#define IDS_PICTURE_DAMAGED 57639  // damaged picture data, or no memory for them

#endif  // CALVETTA_WIN_CALVETTARES_H
