// The main frame's private messages (WM_USER is 0x400). The VM_VIEW_ messages that pass
// between the frame and the content window are in Calvetta.h.
#ifndef BRISVANE_VIEWER_WIN_FRAMEMESSAGES_H
#define BRISVANE_VIEWER_WIN_FRAMEMESSAGES_H

#define FM_SHOWITEM (0x400 + 100)     // list selection changed; wParam = index (posted)
#define FM_SEARCHSTART (0x400 + 109)  // status pane 0: "しばらくお待ちください..."
#define FM_SEARCH (0x400 + 111)       // run the search
#define FM_ISBOOKOPEN (0x400 + 118)   // answers BookOpen
#define FM_OPENBOOK (0x400 + 119)     // bind Dunmoor.dll and open the book (sent)
#define FM_WORDTYPED (0x400 + 130)   // the user changed the word box's text (posted)
#define FM_OUTSIDEWORD (0x400 + 131)  // look up the word a second start handed over (posted)
#define FM_LISTEDGE (0x400 + 132)     // the list was scrolled to its top (wParam 0) or end (1) (posted)
#define FM_WORDCUT (0x400 + 133)      // a text pasted into the word box was cut to wParam characters (posted)
#define FM_HOSTWORD (0x400 + 208)     // take the host's word
#define FM_WORDENTER 0x8009           // Enter in the word box with a word
#define WB_COPY 0x8011                // copy the word box's selection; answers 1 when it did

#endif  // BRISVANE_VIEWER_WIN_FRAMEMESSAGES_H
