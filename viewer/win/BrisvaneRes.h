// Resource and command ids of the viewer (Brisvane.rc and the frame). Command and message
// numbers are fixed: other programs and the search code use them too.
#ifndef BRISVANE_VIEWER_WIN_BRISVANERES_H
#define BRISVANE_VIEWER_WIN_BRISVANERES_H

#define IDR_MAINFRAME 128  // icon, menu, accelerators, toolbar bitmaps, string "DUDAZA Zorari"
#define IDD_ABOUT 100
#define IDT_ABOUT_NAME 1000
#define IDT_ABOUT_VERSION 1001
#define IDD_SEARCH 161  // the search's progress dialog
#define IDT_SEARCH_TEXT 1003
#define IDC_SEARCH_PROGRESS 1004

// Toolbar button pictures, one 16 x 15 bitmap each (drawn from text at build time).
#define IDBM_TOOL_SEARCH 129
#define IDBM_TOOL_REFRESH 130
#define IDBM_TOOL_TOGGLE 131
#define IDBM_TOOL_MENU 132
#define IDBM_TOOL_LAYER 133
#define IDBM_TOOL_ABOUT 134
#define IDBM_TOOL_ENTRY_PREVIOUS 135
#define IDBM_TOOL_ENTRY_NEXT 136
#define IDBM_TOOL_BOOKMARK 137

// Commands.
#define IDM_REFRESH 32771
#define IDM_TOGGLE_LIST 32772
#define IDM_LAST_LAYER 32773
#define IDM_WORDBOX_SLOT 32776
#define IDM_SEARCH 32777
#define IDM_NEXT_LAYER 32778
#define IDM_TITLE_SELECT 32779
#define IDM_PREVIOUS_LAYER 32780
#define IDM_BOOK_MENU 32784
#define IDM_COPY 32785
#define IDM_CONTINUOUS_SEARCH 32787
#define IDM_TEXT_LARGER 32790
#define IDM_TEXT_SMALLER 32791
#define IDM_TEXT_NORMAL 32792
#define IDM_MODE_HEADWORD 32794  // the search modes, in the order of the mode box
#define IDM_MODE_KEYWORD 32795
#define IDM_MODE_FULLTEXT 32796
#define IDM_SCOPE_BOOK 32797  // the scopes of a search, in the order of the scope box
#define IDM_SCOPE_SHELF 32798
#define IDM_SHELF_EDIT 32799
#define IDM_TYPE_AHEAD 32800  // as-you-type on or off
#define IDM_CLIPBOARD_WATCH 32801  // the clipboard watch on or off
#define IDM_HOTKEY_EDIT 32802  // the system-wide key's dialog
#define IDM_FOCUS_WORDBOX 32803  // the focus to the word box, its text selected
#define IDM_SELECT_ALL 32804  // the word box's text, or the entry shown, marked
#define IDM_THEME_WINDOWS 32805  // light or dark as Windows, light, dark: in this order
#define IDM_THEME_LIGHT 32806
#define IDM_THEME_DARK 32807
#define IDM_RELATED 32808         // related words (forms, kana, variants) searched too, or not
#define IDM_FOLD_VOICING 32809    // voiced kana searched unvoiced as well
#define IDM_FOLD_LONGVOWEL 32810  // ー searched as its vowel as well
#define IDM_ENTRY_PREVIOUS 32811  // the entry before the one shown, in the book's text order
#define IDM_ENTRY_NEXT 32812      // the entry after it
#define IDM_ONE_ENTRY 32815       // the entry view ends with the entry shown (一項目ずつ表示)
#define IDM_WORDLIST_ADD 32816    // the entry shown kept in the word list (単語帳)
#define IDM_WORDLIST_EXPORT 32817 // the word list written out for a flash-card program
#define IDM_BOOKMARK_ADD 32818    // the place shown kept as a bookmark (しおり)
#define IDM_BOOKMARKS 32819       // the bookmarks' dialog
#define IDM_PRINT 32820           // the entry shown (or the marked lines) printed
#define IDM_PAGE_SETUP 32821      // the printer, the paper and the margins
#define IDM_LOOKUP_POPUP 32814    // words from other programs in the pop-up, or in the main window
#define IDM_AROUND 32813          // the headwords around the hit selected, in the index's order
#define IDM_APP_ABOUT 57664
#define IDM_HELP 57670
#define IDM_NEXT_PANE 57680
#define IDM_PREVIOUS_PANE 57681

// Strings.
#define IDS_APP_TITLE 128
#define IDS_STATUS_INDICATOR 59138
#define IDS_READ_ERROR 61207
#define IDS_NO_DISC 61208
#define IDS_NO_HITS 61209
#define IDS_SEARCHING 61210
#define IDS_HIT_COUNT 61211
#define IDS_HIT_COUNT_CAPPED 61212
#define IDS_NO_DUNMOOR 61215
#define IDS_NO_HELP 61216
#define IDS_OPEN_SAMPLE 61217
#define IDS_NO_KEYWORD_INDEX 61218
#define IDS_MODE_UNAVAILABLE 61219
#define IDS_KEYWORD_WORDS 61220
#define IDS_FULLTEXT_PROGRESS 61221
#define IDS_SHELF_PROGRESS 61223
#define IDS_SHELF_EMPTY 61224
#define IDS_SHELF_SEARCHED 61225
#define IDS_SHELF_NOT_OPENED 61226
#define IDS_SHELF_NO_KEYWORDS 61227
#define IDS_SOUND_PLAYING 61228
#define IDS_SOUND_NO_DEVICE 61229
#define IDS_HOTKEY_TAKEN 61230
#define IDS_HOTKEY_TAKEN_AT_START 61231
#define IDS_WORD_CUT 61232            // a pasted text cut to the word box's length
#define IDS_WORD_SEARCHED_CUT 61233   // a word longer than a search takes
#define IDS_SHELF_BOOK_FAILED 61234   // a shelf book that did not open when its hit was chosen
#define IDS_NO_BOOK_OPEN 61235        // a search with no book open
#define IDS_KEPT_BOOK_FAILED 61236    // a bookmark's book that is not there or did not open

// The shelf dialog.
#define IDD_SHELF 170
#define IDC_SHELF_LIST 1020
#define IDB_SHELF_ADD 1021
#define IDB_SHELF_REMOVE 1022
#define IDB_SHELF_UP 1023
#define IDB_SHELF_DOWN 1024

// The bookmarks' dialog.
#define IDD_BOOKMARKS 174
#define IDC_BOOKMARK_TREE 1040
#define IDB_BOOKMARK_FOLDER 1041
#define IDB_BOOKMARK_RENAME 1042
#define IDB_BOOKMARK_REMOVE 1043
#define IDB_BOOKMARK_UP 1044
#define IDB_BOOKMARK_DOWN 1045
#define IDB_BOOKMARK_EXPORT 1046
#define IDB_BOOKMARK_IMPORT 1047
#define IDT_BOOKMARK_STATUS 1048

// The dialog of the system-wide key.
#define IDD_HOTKEY 172
#define IDC_HOTKEY 1030

// Child window ids.
#define IDC_WORDBOX 101
#define IDC_MODEBOX 102  // the search mode, beside the word box
#define IDC_SCOPEBOX 104  // the scope of a search, beside the mode
#define IDL_RESULTLIST 103
#define ID_TOOLBAR 0xE800
#define ID_STATUSBAR 0xE801
#define ID_SPLITTER 0xE900

#endif  // BRISVANE_VIEWER_WIN_BRISVANERES_H
