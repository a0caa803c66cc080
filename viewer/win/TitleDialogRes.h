// Resource ids of the title dialog and the browse dialog (TitleDialogs.rc).
#ifndef BRISVANE_VIEWER_WIN_TITLEDIALOGRES_H
#define BRISVANE_VIEWER_WIN_TITLEDIALOGRES_H

#define IDD_TITLE 134
#define IDL_TITLE_LIST 1000
#define IDB_TITLE_BROWSE 3

#define IDD_BROWSE 162
#define IDE_BROWSE_PATH 1005
#define IDL_BROWSE_DIRECTORIES 1007
#define IDC_BROWSE_DRIVES 1008
#define IDT_BROWSE_TITLE 1013

#define IDBM_BROWSE_FOCUS 170
#define IDI_BROWSE_DRIVE 171
#define IDI_BROWSE_NETWORK_DRIVE 173
#define IDI_BROWSE_DIRECTORY 177
#define IDI_BROWSE_PATH_COMPONENT 178

#define IDS_BAD_DRIVE 61206  // "CD-ROMドライブの設定が違います!"; "CD-ROMが挿入されていません!" is IDS_NO_DISC
#define IDS_NOT_A_BOOK 61222  // a folder chosen in the browse dialog that holds no book
#define IDS_COMPRESSED_TEXT 61240  // a compressed book of the later versions (HONMON2)
#define IDS_EB_FAMILY 61241        // a disc of the EB family (CATALOG, START)
#define IDS_EB_FAMILY_TITLE 61242  // the title line such a disc gets, whose title is not read
#define IDS_CATALOG_UNREADABLE 61243  // a catalog file that is there but empty or damaged

#endif  // BRISVANE_VIEWER_WIN_TITLEDIALOGRES_H
